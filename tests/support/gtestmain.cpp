// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/traydisplay.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <memory>

// Environment entries of the test program, from korvel_add_test().
extern const char* const korvelTestEnvironment[];

// One QApplication for every test binary: widgets, event loops and sockets
// all need it. The platform comes from QT_QPA_PLATFORM (offscreen by default).
// KORVEL_TEST_DISPLAY=tray gives the program its own X display with a tray
// host instead, started before Qt and stopped after the last test.
int main(int argc, char** argv)
{
    for (const char* const* entry = korvelTestEnvironment; *entry; ++entry) {
        const QByteArray text(*entry);
        const qsizetype equals = text.indexOf('=');
        qputenv(text.left(equals).constData(), text.mid(equals + 1));
    }
    tzset();
    // Every update a test runs is recorded in a folder of the program's own,
    // never in the user's history; a test names its own folder when it looks.
    const QTemporaryDir state;
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<TrayDisplay> display;
    if (qEnvironmentVariable("KORVEL_TEST_DISPLAY") == QLatin1String("tray") && !GTEST_FLAG_GET(list_tests)) {
        display = std::make_unique<TrayDisplay>();
        if (!display->isRunning()) {
            fprintf(stderr, "No tray display: %s\n", qPrintable(display->errorText()));
            return 1;
        }
        display->exportToEnvironment();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
