// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// "LastUpdate" as a damaged settings file can hold it: a locale byte, then
// UTF-8 text. A text that reads as a date must write and read back to the
// same second, and the start-up's elapsed minutes must agree with it.
#include "fuzzsupport.h"

#include "base/dateserial.h"
#include "base/generaldate.h"
#include "startup/startuprule.h"

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::pinZone();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    FuzzSupport::pinLocaleOf(data[0]);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    const auto serial = GeneralDate::parse(text);
    FuzzSupport::check(StartupRule::minutesSince(text).has_value() == serial.has_value());
    if (!serial)
        return 0;
    FuzzSupport::check(std::isfinite(*serial));
    const auto back = GeneralDate::parse(GeneralDate::format(*serial));
    FuzzSupport::check(back
                       && std::llround(*back * DateSerial::kSecondsPerDay)
                              == std::llround(*serial * DateSerial::kSecondsPerDay));
    return 0;
}
