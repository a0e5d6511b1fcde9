#include "base/textformat.h"

#include <QRegularExpression>

#include <optional>

namespace {
std::optional<QLocale> pinnedLocale;

// Drops format letters outside quoted literals that match `letter`.
QString withoutLetter(const QString& format, QChar letter)
{
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == letter)
            continue;
        result += c;
    }
    return result;
}
} // namespace

QLocale TextFormat::locale()
{
    return pinnedLocale.value_or(QLocale::system());
}

void TextFormat::pinLocale(const QLocale& locale)
{
    pinnedLocale = locale;
}

void TextFormat::unpinLocale()
{
    pinnedLocale.reset();
}

QString TextFormat::shortDateFormat()
{
    QString format = locale().dateFormat(QLocale::ShortFormat);
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    return format.replace(twoDigitYear, QStringLiteral("yyyy"));
}

QString TextFormat::longTimeFormat()
{
    QString format = withoutLetter(locale().timeFormat(QLocale::LongFormat), u't');
    format.remove(QStringLiteral("()"));
    return format.simplified();
}
