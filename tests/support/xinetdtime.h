// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <gtest/gtest.h>

// xinetd's time service from scripts/services.sh, the independent real
// server; empty when not started (a failure under CI, where it must run).
inline QString xinetdTimeEntry()
{
    const QString entry = qEnvironmentVariable("KORVEL_XINETD_TIME");
    if (entry.isEmpty() && qEnvironmentVariable("CI") == QLatin1String("true"))
        ADD_FAILURE() << "KORVEL_XINETD_TIME is not set; CI must start scripts/services.sh";
    return entry;
}
