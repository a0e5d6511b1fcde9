// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLoggingCategory>

// The main window's own diagnostics (not its status lines).
Q_DECLARE_LOGGING_CATEGORY(lcApp)
