// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "options/optionconversion.h"

#include <QLocale>

#include <cmath>
#include <limits>

std::optional<qint16> OptionConversion::toInt16(const QString& text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    // The default rounding mode sends halves to the even neighbour.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

namespace {
std::optional<Qt::CheckState> storedCheckState(const QString& text)
{
    switch (OptionConversion::toInt16(text).value_or(-1)) {
    case 0:
        return Qt::Unchecked;
    case 1:
        return Qt::Checked;
    case 2:
        return Qt::PartiallyChecked;
    default:
        return std::nullopt;
    }
}
} // namespace

Qt::CheckState OptionConversion::checkState(const OptionKey& key, const QString& text)
{
    if (const auto state = storedCheckState(text))
        return *state;
    return storedCheckState(QLatin1String(key.defaultText)).value_or(Qt::Unchecked);
}

QString OptionConversion::fromCheckState(Qt::CheckState state)
{
    switch (state) {
    case Qt::Unchecked:
        break;
    case Qt::Checked:
        return QStringLiteral("1");
    case Qt::PartiallyChecked:
        return QStringLiteral("2");
    }
    return QStringLiteral("0");
}

bool OptionConversion::enables(Qt::CheckState state)
{
    return state != Qt::Unchecked;
}

bool OptionConversion::acts(Qt::CheckState state)
{
    return state == Qt::Checked;
}

namespace {

std::optional<bool> toBoolean(const QString& text)
{
    const QString word = text.trimmed();
    if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = QLocale::c().toDouble(word, &ok);
    if (ok && !std::isnan(number))
        return number != 0.0;
    return std::nullopt;
}

} // namespace

bool OptionConversion::boolean(const OptionKey& key, const QString& text)
{
    if (const auto value = toBoolean(text))
        return *value;
    return toBoolean(QLatin1String(key.defaultText)).value_or(false);
}

QString OptionConversion::fromBoolean(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

int OptionConversion::listIndex(const QString& text, int listSize)
{
    const auto value = toInt16(text);
    if (value && *value >= 0 && *value < listSize)
        return *value;
    return -1;
}

QString OptionConversion::fromListIndex(int index)
{
    return QString::number(index);
}
