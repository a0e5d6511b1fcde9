// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/historylog.h"

Q_LOGGING_CATEGORY(lcHistory, "korvel.history", QtInfoMsg)
