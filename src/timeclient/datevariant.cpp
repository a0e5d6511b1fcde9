// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/datevariant.h"

#include "base/dateserial.h"
#include "base/generaldate.h"

#include <QDateTime>

#include <cmath>

namespace DateVariant {

namespace {
// Serials of the years 100 to 9999, the range a date can take.
constexpr double kFirstSerial = -657434.0;
constexpr double kLastSerial = 2958466.0;

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}
} // namespace

QVariant zero()
{
    return QVariant::fromValue<qint16>(0);
}

bool isDateValue(const QVariant& value)
{
    return value.typeId() == QMetaType::QDateTime && value.toDateTime().isValid();
}

QVariant fromSerial(double serial)
{
    return DateSerial::toDateTime(serial, Qt::UTC);
}

std::optional<double> toSerial(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime dateTime = value.toDateTime();
        if (!dateTime.isValid())
            return std::nullopt;
        return DateSerial::fromDateTime(dateTime);
    }
    case QMetaType::QDate: {
        const QDate date = value.toDate();
        if (!date.isValid())
            return std::nullopt;
        return DateSerial::fromDateTime(QDateTime(date, QTime(0, 0), Qt::UTC));
    }
    case QMetaType::QString:
        return GeneralDate::parse(value.toString());
    default:
        if (!isNumber(value))
            return std::nullopt;
        const double serial = value.toDouble();
        if (!std::isfinite(serial) || serial < kFirstSerial || serial >= kLastSerial)
            return std::nullopt;
        return serial;
    }
}

bool isZero(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString() == u"0";
    return isNumber(value) && value.toDouble() == 0.0;
}

} // namespace DateVariant
