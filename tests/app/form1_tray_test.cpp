// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1fixture.h"
#include "tray/frmsystray.h"

#include <functional>

namespace {
using Form1TrayTest = Form1Fixture;
}

// The tray's double click decides by the window's state, the menu's "show" by
// its visibility; a state the window manager reports for a withdrawn window
// brings nothing back.
TEST_F(Form1TrayTest, TheDoubleClickRestoresAnyWindowOutOfItsNormalStateAndTraysOnlyANormalOne)
{
    const struct Row {
        const char* name;
        std::function<void(Form1&)> before;
        bool shownAfter;
    } rows[] = {
        {"normal and shown goes to the tray", [](Form1&) {}, false},
        {"maximised comes back to normal, shown", [](Form1& f) { f.setWindowState(Qt::WindowMaximized); }, true},
        {"minimised and hidden comes back", [](Form1& f) { Q_EMIT f.trayForm()->MenuClick(0, "show"); }, true},
        // Some window managers drop the state of a window they no longer manage.
        {"hidden but reported normal comes back",
         [](Form1& f) {
             Q_EMIT f.trayForm()->MenuClick(0, "show");
             f.setWindowState(Qt::WindowNoState);
             ASSERT_FALSE(f.isVisible()) << "a state change alone brings no withdrawn window back";
             ASSERT_EQ(f.trayForm()->MenuCaption(0), QStringLiteral("&Show Korvel"));
         },
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Form1& window = load("");
        ASSERT_TRUE(window.isVisible());
        row.before(window);
        Q_EMIT window.trayForm()->SysTrayDoubleClick(1);
        EXPECT_EQ(window.isVisible(), row.shownAfter);
        EXPECT_EQ(window.windowState(), row.shownAfter ? Qt::WindowNoState : Qt::WindowMinimized);
        EXPECT_EQ(window.trayForm()->MenuCaption(0),
                  row.shownAfter ? QStringLiteral("&Minimize Korvel") : QStringLiteral("&Show Korvel"));
    }
}
