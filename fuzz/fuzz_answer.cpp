// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What a time server sends, read the way KorvelControl reads it: exactly four
// bytes are an answer, which must give the right instant and a local time that
// the general date text keeps to the second.
// Input: a locale byte, two bytes of zone bias, two of round trip in
// milliseconds, then the bytes received.
#include "fuzzsupport.h"

#include "base/dateserial.h"
#include "base/generaldate.h"
#include "timeclient/datevariant.h"
#include "timeclient/timeprotocol.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {
constexpr size_t kHeader = 5;
// Seconds from 1 January 1900, where RFC 868 counts from, to the Unix epoch.
constexpr qint64 kEpochOffset = 2'208'988'800;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::pinZone();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kHeader)
        return 0;
    FuzzSupport::pinLocaleOf(data[0]);
    // From 14 hours east of UTC (-840 minutes) to 12 hours west (720).
    const int zoneBias = int((data[1] << 8 | data[2]) % 1561) - 840;
    const float lag = TimeProtocol::lagSeconds(data[3] << 8 | data[4]);
    const QByteArray received(reinterpret_cast<const char*>(data + kHeader), qsizetype(size - kHeader));

    const auto answer = TimeProtocol::readAnswer(received, lag, zoneBias);
    FuzzSupport::check(answer.has_value() == (received.size() == TimeProtocol::kAnswerLength));
    if (!answer)
        return 0;

    quint32 count = 0;
    for (const char byte : received)
        count = count << 8 | quint8(byte);
    FuzzSupport::check(answer->sent >= 2.0 && answer->sent <= 2.0 + 4294967296.0 / DateSerial::kSecondsPerDay);
    // The instant the clock is set from.
    FuzzSupport::check(DateSerial::toDateTime(answer->sent).toMSecsSinceEpoch() == (count - kEpochOffset) * 1000);
    FuzzSupport::check(std::llabs(DateSerial::toMsecs(answer->gmt) - DateSerial::toMsecs(answer->sent)
                                  - std::llround(double(lag) * 1000.0))
                       <= 1);
    FuzzSupport::check(DateSerial::toMsecs(answer->local) == DateSerial::toMsecs(answer->gmt) - zoneBias * 60'000LL);

    // KorvelControl keeps the local time as a date; the window shows it and
    // "LastUpdate" stores it as general date text.
    const QVariant kept = DateVariant::fromSerial(answer->local);
    FuzzSupport::check(DateVariant::isDateValue(kept));
    const auto keptSerial = DateVariant::toSerial(kept);
    FuzzSupport::check(keptSerial && DateSerial::toMsecs(*keptSerial) == DateSerial::toMsecs(answer->local));
    const auto back = GeneralDate::parse(GeneralDate::format(*keptSerial));
    FuzzSupport::check(back
                       && std::llround(*back * DateSerial::kSecondsPerDay)
                              == std::llround(*keptSerial * DateSerial::kSecondsPerDay));
    return 0;
}
