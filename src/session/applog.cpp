// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/applog.h"

Q_LOGGING_CATEGORY(lcApp, "korvel.app", QtInfoMsg)
