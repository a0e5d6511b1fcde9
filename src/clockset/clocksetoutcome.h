// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// What became of one attempt to set the PC clock, or to change who keeps it.
struct ClockSetOutcome {
    enum class Kind { Set, AutomaticTimeSyncOn, NotAuthorised, ServiceMissing, Failed };

    Kind kind = Kind::Failed;
    // Plain words for the status line; empty when the clock was set.
    QString reason;

    bool ok() const { return kind == Kind::Set; }
};
