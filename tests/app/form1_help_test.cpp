// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1fixture.h"
#include "support/fakebackend.h"
#include "ui/helpviewer.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

namespace {

// The topics shown in open help windows.
QStringList shownTopics()
{
    QStringList topics;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<HelpViewer*>(window); viewer && viewer->isVisible())
            topics << viewer->browser()->source().fragment();
    }
    return topics;
}

} // namespace

// F1, and the Help menu's item that presses it, open the one help window at
// the topic of the focused control, or at the window's when the control has
// none; unloading the window closes it.
TEST_F(Form1Fixture, HelpOpensAtTheTopicOfTheFocusedControl)
{
    backend = std::make_shared<FakeBackend>();
    const Form1Design& ui = load("CheckEvery=1\n").design();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    ui.cmdSetTime->setFocus();
    QTest::keyClick(ui.cmdSetTime, Qt::Key_F1);
    EXPECT_EQ(shownTopics(), QStringList{HelpViewer::anchorFor(220)});

    ui.TxtTime->setFocus();
    ui.helpf->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(shownTopics(), QStringList{HelpViewer::anchorFor(10)});

    form->close();
    EXPECT_EQ(shownTopics(), QStringList());
}
