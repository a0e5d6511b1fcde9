// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clockset/clocksetlog.h"

// Refusals are warnings, so a clock left wrong always leaves a trace.
Q_LOGGING_CATEGORY(lcClockSet, "korvel.clockset", QtWarningMsg)
