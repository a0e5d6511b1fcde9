// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tray/traylog.h"

Q_LOGGING_CATEGORY(lcTray, "korvel.tray", QtInfoMsg)
