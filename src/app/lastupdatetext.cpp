// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/lastupdatetext.h"

#include "base/dateserial.h"
#include "base/generaldate.h"

QString LastUpdateText::stored(double localSerial)
{
    // Whole seconds, cut rather than rounded: a last update rounded up into
    // the next minute would lie in the future, which counts as due.
    const qint64 msecs = DateSerial::toMsecs(localSerial);
    const QDateTime local = DateSerial::toDateTime(DateSerial::fromMsecs(msecs - msecs % 1000), Qt::LocalTime);
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

QString LastUpdateText::shown(const QString& storedText)
{
    const auto serial = GeneralDate::parse(storedText);
    return serial ? GeneralDate::format(*serial) : storedText;
}
