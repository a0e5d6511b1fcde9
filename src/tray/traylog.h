// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLoggingCategory>

// The tray icon's changes (debug level: QT_LOGGING_RULES="korvel.tray.debug=true"),
// so the countdown can be followed without a tray host's tool tip.
Q_DECLARE_LOGGING_CATEGORY(lcTray)
