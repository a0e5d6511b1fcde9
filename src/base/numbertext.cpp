// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/numbertext.h"

#include "base/textformat.h"

namespace NumberText {

namespace {
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// The period always, and the decimal separator of the user's locale and of
// the language's, so "2,5" is two and a half under German.
bool isDecimalSeparator(QChar c)
{
    if (c == u'.')
        return true;
    const QString separator(c);
    return separator == QLocale::system().decimalPoint() || separator == TextFormat::locale().decimalPoint();
}

qsizetype skipDigits(const QString& text, qsizetype i)
{
    while (i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128)
        ++i;
    return i;
}

// C-style %g text with the user's decimal separator and an upper-case,
// signed, two-digit exponent ("5E-05").
QString localized(double value, int precision)
{
    QString text = QString::number(value, 'g', precision);
    text.replace(u'e', u'E');
    text.replace(u'.', TextFormat::locale().decimalPoint());
    return text;
}
} // namespace

double leadingNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    qsizetype end = skipDigits(text, i);
    qsizetype digits = end - i;
    qsizetype separator = -1;
    if (end < text.size() && isDecimalSeparator(text.at(end))) {
        separator = end;
        const qsizetype fractionEnd = skipDigits(text, end + 1);
        digits += fractionEnd - end - 1;
        end = fractionEnd;
    }
    if (digits == 0)
        return 0.0;
    if (end < text.size() && (text.at(end) == u'e' || text.at(end) == u'E')) {
        qsizetype e = end + 1;
        if (e < text.size() && (text.at(e) == u'+' || text.at(e) == u'-'))
            ++e;
        const qsizetype exponentEnd = skipDigits(text, e);
        if (exponentEnd > e)
            end = exponentEnd;
    }
    bool ok = false;
    QString number = text.mid(start, end - start);
    if (separator >= 0)
        number[separator - start] = u'.';
    const double value = number.toDouble(&ok);
    return ok ? value : 0.0;
}

QString oneDecimal(double value)
{
    QLocale locale = TextFormat::locale();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', 1);
}

QString generalSingle(float value)
{
    return localized(double(value), 7);
}

QString generalDouble(double value)
{
    return localized(value, 15);
}

} // namespace NumberText
