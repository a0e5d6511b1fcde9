// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

// What an update makes of its answers: how far to move the PC clock, or why
// it must not be moved.
struct UpdateEstimate
{
    // Microseconds to add to the PC clock; nothing when the update is refused.
    std::optional<qint64> adjustmentUsec;
    // Half the width of the offsets the answers leave, around the one aimed
    // at: how far the adjustment may be off, the path's asymmetry aside.
    qint64 uncertaintyUsec = 0;
    // The status line that says why, when refused.
    QString refusal;
    // Seconds the first answer's era adds to its reading since 1900 (2^32
    // after the roll-over of 7 February 2036), so that the stored time of the
    // update lands in the right era.
    qint64 eraShiftSeconds = 0;
};
