// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/uilog.h"

Q_LOGGING_CATEGORY(lcUi, "korvel.ui", QtWarningMsg)
