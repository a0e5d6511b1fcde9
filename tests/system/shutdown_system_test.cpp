// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "korveldesktop.h"

using EndingOnTheDesktop = KorvelDesktop;

TEST_F(EndingOnTheDesktop, ATerminationSignalEndsThroughTheSameSequence)
{
    writeSettings(false, "TimeZone=25\n");
    start({"Load", "1"});
    // The first tick shows the window has loaded.
    ASSERT_TRUE(waitForError("korvel.tray: Tool tip: Korvel - Next update is in")) << errors.constData();
    korvel.terminate();
    ASSERT_TRUE(korvel.waitForFinished(10000));
    EXPECT_EQ(korvel.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(korvel.exitCode(), 0);
    EXPECT_EQ(saved("TimeZone"), QStringLiteral("25"));
}
