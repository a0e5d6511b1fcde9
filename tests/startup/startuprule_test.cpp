// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/clock.h"
#include "base/dateserial.h"
#include "base/generaldate.h"
#include "options/optionstore.h"
#include "startup/startuprule.h"
#include "support/optionfile.h"

#include <gtest/gtest.h>

TEST(StartupRuleTest, OnlyTheWordLoadFollowedByAWordIsAnUnattendedStart)
{
    // The last update half an hour ago: the next is more than the hour away that lets Korvel leave.
    OptionFile file;
    file.write("[Option]\nUnload=1\nTimeAway=1\nLastUpdate="
               + GeneralDate::format(DateSerial::addMinutes(Clock::instance().nowSerial(), -30)).toUtf8() + "\n");
    OptionStore store(file.path());
    EXPECT_TRUE(StartupRule::Form_Initialize(store, QStringLiteral("x Load 1")).leaveAtOnce);
    for (const char* commandLine : {"load 1", "Load", "/Load 1", "Load  1", ""}) {
        const StartupState normal = StartupRule::Form_Initialize(store, QLatin1String(commandLine));
        EXPECT_FALSE(normal.m_bStartedWithLoad || normal.leaveAtOnce) << commandLine;
    }
}
