// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/localizedtext.h"

#include <QList>

#include <optional>

// What an update makes of its answers: how far to move the PC clock, or why
// it must not be moved.
struct UpdateEstimate
{
    // Microseconds to add to the PC clock; nothing when the update is refused.
    std::optional<qint64> adjustmentUsec;
    // How far from the servers' time the clock may still be, however the
    // servers that may be wrong (fewer than half of them) answered.
    qint64 uncertaintyUsec = 0;
    // The status line that says why, when refused.
    LocalizedText refusal;
    // Status lines to show with an adjustment: the servers left out.
    QList<LocalizedText> notes;
    // Seconds the first answer's era adds to its reading since 1900 (2^32
    // after the roll-over of 7 February 2036), so that the stored time of the
    // update lands in the right era.
    qint64 eraShiftSeconds = 0;
};
