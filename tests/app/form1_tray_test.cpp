// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1fixture.h"
#include "loopbacktimeserver.h"
#include "net/internetflags.h"
#include "support/fakebackend.h"
#include "tray/frmsystray.h"
#include "ui/fittedcheckbox.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>

#include <functional>

namespace {
using Form1TrayTest = Form1Fixture;

// What the window shows of the options, the status lines, the update's
// result and the countdown, and what the tray shows.
QStringList shown(const Form1& window)
{
    const Form1Design& ui = window.design();
    const auto state = [](const QCheckBox* box) { return QString::number(box->checkState()); };
    const auto flags = [](const QWidget* widget) {
        return QStringLiteral("%1%2").arg(widget->isEnabled()).arg(widget->isVisibleTo(widget->window()));
    };
    // The update's times and measurements differ from run to run.
    const auto timeless = [](QString text) { return text.remove(QRegularExpression(QStringLiteral("[0-9.]"))); };
    QStringList all;
    for (int row = 0; row < ui.lstConnectState->count(); ++row)
        all << timeless(ui.lstConnectState->item(row)->text());
    return all << QString::number(ui.lstConnectState->currentRow()) << timeless(ui.Label1->text()) << ui.lstConnectState->toolTip() << flags(ui.cmdSetTime) << flags(ui.CmdConnect)
        << flags(ui.cboEntries) << flags(ui.TxtTime) << ui.chkUnload->text() << state(ui.chkUnload)
        << state(ui.chkTime) << state(ui.chkAutoConnect) << state(ui.ChkDisconnect) << ui.TxtTime->text()
        << ui.txtAway->text() << QString::number(ui.mnuBeep->isChecked()) << ui.cboEntries->currentText()
        << QString::number(ui.cboTimeZone->currentIndex()) << window.trayForm()->ToolTip()
        << window.trayForm()->MenuCaption(0);
}
} // namespace

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

// A start into the tray builds no window until it is first shown. Shown
// after an update, it shows what a window built at start shows after the
// same update; closed unseen, it saves what that window saves, a hand edit
// made meanwhile included.
TEST_F(Form1TrayTest, AStartIntoTheTrayBuildsTheWindowWhenShownAndShowsAndSavesWhatOneBuiltAtStartWould)
{
    auto fake = std::make_shared<FakeBackend>();
    fake->state = {NetResult::success(), InternetFlags::Modem, {}};
    backend = fake;
    const auto server = std::make_unique<LoopbackTimeServer>(
        LoopbackTimeServer::answerFor(QDateTime::currentDateTimeUtc().addSecs(10)));
    host = server->entry();
    const char* const optionFiles[] = {
        // Due, with odd spellings and a zone and a connection not in the lists.
        "CheckEvery=1\nCheckTime=1.50\nUnload=2\nTimeAway=x\nBeep=True\nTimeZone=99\nConnection=Gone\n",
        "CheckEvery=2\nCheckTime=24\nCheckAuto=1\nDisconnect=2\nTimeZone=5\nUnload=1\nTimeAway=0\n",
        // Automatic updates off: the tick only counts.
        "CheckTime=3\nTimeZone=-1\n",
    };
    for (const char* options : optionFiles) {
        SCOPED_TRACE(options);
        const auto afterTick = [&](bool trayed, bool showIt) {
            tray = trayed;
            load(options, true);
            EXPECT_TRUE(trayed ? !form->isVisible() : form->isMinimized())
                << "out of sight, but in reach without a tray";
            form->Timer1_Timer();
            QFile edited(file.path());
            const QString before = QString::fromUtf8(file.bytes());
            EXPECT_TRUE(edited.open(QIODevice::WriteOnly | QIODevice::Truncate));
            edited.write(QString(before).replace(QRegularExpression("CheckTime=[^\n]*"), "CheckTime=12").toUtf8());
            edited.close();
            const QString tip = form->trayForm()->ToolTip();
            if (showIt)
                Q_EMIT form->trayForm()->MenuClick(0, QStringLiteral("show"));
            return tip;
        };
        const QString builtTip = afterTick(false, true);
        const QStringList builtShows = shown(*form);
        Q_EMIT form->trayForm()->MenuClick(2, QStringLiteral("close"));
        const QByteArray builtSaves = file.bytes();

        EXPECT_EQ(afterTick(true, false), builtTip);
        EXPECT_EQ(form->design().clientArea, nullptr) << "nothing of the window before it is shown";
        Q_EMIT form->trayForm()->MenuClick(2, QStringLiteral("close"));
        EXPECT_EQ(file.bytes(), builtSaves);

        afterTick(true, true);
        ASSERT_TRUE(form->isVisible());
        EXPECT_EQ(shown(*form), builtShows);
    }
}
