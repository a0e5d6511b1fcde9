// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/timeclientlog.h"

// Attempt details are info messages, shown only when asked for.
Q_LOGGING_CATEGORY(lcTimeClient, "korvel.timeclient", QtWarningMsg)
