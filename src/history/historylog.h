// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLoggingCategory>

// The update history's and the History window's diagnostics.
Q_DECLARE_LOGGING_CATEGORY(lcHistory)
