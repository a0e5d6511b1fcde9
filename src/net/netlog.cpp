// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/netlog.h"

// Failed calls are info messages, shown only when asked for.
Q_LOGGING_CATEGORY(lcNet, "korvel.net", QtWarningMsg)
