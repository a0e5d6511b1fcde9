// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLoggingCategory>

// Every status line the window shows also goes here (info level, on by
// default), so the window can be followed while it is hidden.
Q_DECLARE_LOGGING_CATEGORY(lcStatus)
