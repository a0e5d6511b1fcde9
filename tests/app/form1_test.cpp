// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/dateserial.h"
#include "base/generaldate.h"
#include "commands/statusreport.h"
#include "form1fixture.h"
#include "timeclient/servercycle.h"
#include "tray/frmsystray.h"
#include "ui/fittedcheckbox.h"

#include <QAction>
#include <QDateTime>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <ctime>

namespace {

// The window in a UTC zone (set for the test program).
class Form1Test : public Form1OnAModem
{
protected:
    static QByteArray lastUpdateAgo(int minutes)
    {
        return "LastUpdate=" + GeneralDate::format(DateSerial::addMinutes(DateSerial::fromDateTime(kNow), -minutes)).toUtf8()
            + "\n";
    }
};

} // namespace

TEST_F(Form1Test, FirstRunShowsTheDefaultsAndWritesNothing)
{
    const Form1Design& ui = load(QByteArray()).design();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ui.TxtTime->text() + ui.txtAway->text(), QStringLiteral("24"));
    for (const QCheckBox* box : std::initializer_list<const QCheckBox*>{
             ui.chkTime, ui.chkAutoConnect, ui.ChkDisconnect, ui.chkUnload})
        EXPECT_EQ(box->checkState(), Qt::Unchecked);
    EXPECT_FALSE(ui.mnuBeep->isChecked());
    EXPECT_FALSE(ui.fraTime->isEnabled() || ui.fraAutoConnect->isEnabled());
    EXPECT_EQ(ui.cboEntries->currentIndex(), -1);
    EXPECT_EQ(lines(), (QStringList{"Last update was on - 12:00:00 AM", "Status: NO RAS"}));
    EXPECT_FALSE(ui.CmdConnect->isEnabled());
    EXPECT_FALSE(file.exists());
    // Each control gives back its option's default as it took it; a flag in words.
    form->SaveOptions();
    for (const OptionKey& key : Option::all)
        EXPECT_EQ(saved(key), QLatin1String(key.kind == OptionKind::Boolean ? "False" : key.defaultText)) << key.name;
}

TEST_F(Form1Test, StoredStatesDriveTheEnableRules)
{
    // "CheckEvery" holds the box's state and "CheckTime" its hours; 2 is grayed.
    const Form1Design& ui = load("CheckEvery=2\nCheckTime=7\nCheckAuto=1\n").design();
    EXPECT_EQ(ui.chkTime->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(ui.TxtTime->text(), QStringLiteral("7"));
    const QWidget* const fields[] = {ui.fraTime,        ui.TxtTime,       ui.chkUnload, ui.txtAway,
                                     ui.fraAutoConnect, ui.ChkDisconnect, ui.cboEntries};
    for (const QWidget* widget : fields)
        EXPECT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();
    // Long overdue (no last update), but a grayed box means updates are off: the tick stops.
    form->Timer1_Timer();
    EXPECT_TRUE(clockSetter->adjustments.isEmpty());
    EXPECT_FALSE(form->timer1()->isActive());

    ui.chkTime->setCheckState(Qt::Unchecked);
    ui.chkAutoConnect->click();
    EXPECT_FALSE(ui.txtAway->isEnabled() || ui.fraTime->isEnabled());
    EXPECT_FALSE(ui.cboEntries->isEnabled() || ui.fraAutoConnect->isEnabled());
}

TEST_F(Form1Test, EveryOptionSurvivesLoadAndSaveExceptTheLastUpdateIsNotWritten)
{
    const QByteArray options = "[Option]\nConnection=Evening ISP\nCheckEvery=2\nCheckTime=2.5 hrs\n"
                               "CheckAuto=1\nDisconnect=1\nUnload=1\nTimeAway=abc\nBeep=True\n"
                               "TimeZone=17\nLastUpdate=5/14/2026 9:41:30 AM\n";
    fake->state.flags |= InternetFlags::RasInstalled;
    fake->entries = {QStringLiteral("Office"), QStringLiteral("Evening ISP")};
    const Form1Design& ui = load(options).design();
    EXPECT_EQ(ui.cboEntries->currentIndex(), 1);
    form->SaveOptions();
    const std::pair<OptionKey, const char*> expected[] = {
        {Option::Connection, "Evening ISP"}, {Option::CheckEvery, "2"}, {Option::CheckTime, "2.5"},
        {Option::CheckAuto, "1"}, {Option::Disconnect, "1"}, {Option::Unload, "1"}, {Option::TimeAway, "abc"},
        {Option::Beep, "True"}, {Option::TimeZone, "17"}, {Option::LastUpdate, "5/14/2026 9:41:30 AM"}};
    for (const auto& [key, text] : expected)
        EXPECT_EQ(saved(key), QLatin1String(text)) << key.name;

    // Changes made in the window are what the next save writes; a menu's mark is stored at once.
    ui.mnuBeep->trigger();
    EXPECT_EQ(saved(Option::Beep), QStringLiteral("False"));
    ui.cboTimeZone->setCurrentIndex(-1);
    ui.cboEntries->setEditText(QStringLiteral("Typed by hand"));
    form->close();
    EXPECT_EQ(saved(Option::TimeZone), QStringLiteral("-1"));
    EXPECT_EQ(saved(Option::Connection), QStringLiteral("Typed by hand"));
}

TEST_F(Form1Test, DamagedFilesKeepTheirReadableValues)
{
    const QByteArray readable = "CheckEvery=1\nCheckTime=5\nBeep=true\nLastUpdate=5/14/2026 9:41:30 AM\n";
    const QByteArray damages[] = {
        "[Option]\n" + readable + "this line has no equals sign\n=\n[[[\n",
        QByteArray("\x00\xff\xfe\x01\n", 5) + "[Option]\n" + readable + QByteArray("\x7f\x00\x80junk\n", 9),
        QByteArray("\xff\xfe\x00garbage\n[Opt\n", 16) + "[Option]\n" + readable,
    };
    for (const QByteArray& damaged : damages) {
        load(damaged).SaveOptions();
        EXPECT_EQ(form->design().lstConnectState->count(), 2) << "no line about the save";
        EXPECT_EQ(saved(Option::CheckEvery) + saved(Option::CheckTime) + saved(Option::Beep),
                  QStringLiteral("15True"));
        EXPECT_EQ(saved(Option::LastUpdate), QStringLiteral("5/14/2026 9:41:30 AM"));
    }
}

TEST_F(Form1Test, AnUnwritableFileGivesOneStatusLineWhichIsSelected)
{
    file.write("not a folder");
    OptionStore unwritable(QDir(file.path()).filePath("Korvel.ini"));
    Form1 window(StartupState{}, unwritable, services());
    window.Form_Load();
    window.SaveOptions();
    EXPECT_TRUE(window.design().lstConnectState->item(2)->isSelected()) << qPrintable(lines(window).join('\n'));
}

TEST_F(Form1Test, TheDialUpButtonsStayRightThroughAWholeRunOfAutomaticUpdates)
{
    // A connection is up at first; later the schedule has to dial, and
    // "Disconnect when done" hangs up after each update.
    fake->state = {NetResult::success(), InternetFlags::RasInstalled | InternetFlags::Modem, {}};
    fake->entries = {QStringLiteral("Modem")};
    fake->dialConnects = true;
    // A grayed "Auto Dial up" dials as a ticked one does.
    const Form1Design& ui =
        load("CheckEvery=1\nCheckTime=2\nCheckAuto=2\nDisconnect=1\nConnection=Modem\n" + lastUpdateAgo(300)).design();
    form->Timer1_Timer();
    ASSERT_EQ(clockSetter->adjustments.size(), 1);
    EXPECT_TRUE(fake->dialledEntries.isEmpty());
    EXPECT_FALSE(ui.CmdConnect->isEnabled()) << "the connection found needs no Connect";
    EXPECT_EQ(form->trayForm()->ToolTip(), QStringLiteral("Korvel - Next update is in 2.0 hours"));

    fake->state = {NetResult::failure(), InternetFlags::RasInstalled, {}};
    for (int round = 1; round <= 2; ++round) {
        clock.advanceMsecs(3 * 3600 * 1000);
        form->Timer1_Timer();
        EXPECT_EQ(fake->dialledEntries.size(), round) << "the schedule dials through Connect, enabled or not";
        EXPECT_EQ(clockSetter->adjustments.size(), round + 1);
        EXPECT_EQ(fake->hungUpNumbers.count(7), round) << "only what Korvel dialled is hung up";
        EXPECT_EQ(lines().last(), QStringLiteral("Status: Disconnected"));
        EXPECT_TRUE(ui.CmdConnect->isVisibleTo(form.get()) && ui.CmdConnect->isEnabled()
                    && !ui.CmdDisconnect->isVisibleTo(form.get()))
            << round;
    }
}

TEST_F(Form1Test, AnUnattendedStartLeavesByTheLeaveRuleOrAfterItsUpdate)
{
    // The next update two hours off, the threshold one hour: the first tick leaves.
    load("Unload=1\nTimeAway=1\nCheckTime=2\nCheckEvery=1\n" + lastUpdateAgo(0), true);
    form->Timer1_Timer();
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(saved(Option::CheckEvery), QStringLiteral("1")) << "options saved on the way out";

    // Automatic updates off: the update it was started for ends it.
    load("CheckEvery=0\nCheckTime=2\n" + lastUpdateAgo(300), true);
    form->cmdSetTime_Click();
    EXPECT_EQ(clockSetter->adjustments.size(), 1);
    EXPECT_EQ(ends, 2);
    EXPECT_EQ(saved(Option::LastUpdate), QStringLiteral("2030-06-15T12:00:10Z"));
}

TEST_F(Form1Test, HoursFieldsSelectOnEntryTurnEnterIntoTabAndRecountOnLeaving)
{
    const Form1Design& ui = load("CheckEvery=1\nCheckTime=2\n" + lastUpdateAgo(30)).design();
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(ui.txtAway, &in);
    EXPECT_EQ(ui.txtAway->selectedText(), ui.txtAway->text());

    const QSignalSpy returns(ui.TxtTime, &QLineEdit::returnPressed);
    QTest::keyClick(ui.TxtTime, Qt::Key_Return);
    EXPECT_EQ(returns.count(), 0) << "Enter moves on instead";

    ui.TxtTime->setText(QString());
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(ui.TxtTime, &out);
    // Below a minute the countdown shows the timer's interval: one second until the first tick.
    EXPECT_TRUE(ui.chkUnload->text().endsWith(QStringLiteral("- Next update is in 1 seconds.")))
        << ui.chkUnload->text().toStdString();
    EXPECT_EQ(form->trayForm()->ToolTip(), QStringLiteral("Korvel - Next update is in 1 seconds"));
}

TEST_F(Form1Test, ScheduleStatesReadTheSameAtStartInTheWindowAndInStatus)
{
    const QByteArray later = "LastUpdate=2026-12-06T12:30:00+00:00\n";
    // field: what the hours field shows; timeLeft null: due now; leaves: an unattended start with TimeAway 1.
    struct Case {
        QByteArray lastUpdate; const char* hours; const char* field; const char* timeLeft; bool leaves;
    };
    const Case cases[] = {
        {lastUpdateAgo(30), "2.5", "2.5", "2.0 hours", true},
        {lastUpdateAgo(30), "", "0.25", nullptr, false},
        {lastUpdateAgo(5), "0", "0.25", "10.0 minutes", false},
        {lastUpdateAgo(5), "-1", "0.25", "10.0 minutes", false},
        {lastUpdateAgo(5), "abc", "0.25", "10.0 minutes", false},
        {lastUpdateAgo(5), "0.05", "0.25", "10.0 minutes", false},
        {later, "2.5", "2.5", nullptr, false}, // the clock was set back
        {"LastUpdate=9999-12-31T00:00:00\n", "2", "2", nullptr, false},
        {"LastUpdate=yesterday\n", "2.5", "2.5", "2.5 hours", true},
        {"LastUpdate=0:00:00\n", "2", "2", nullptr, false}, // a time alone: long overdue
    };
    for (const Case& c : cases) {
        const QByteArray options = "[Option]\nCheckEvery=1.0\nUnload=1\nTimeAway=1\nCheckTime=" + QByteArray(c.hours)
            + "\n" + c.lastUpdate;
        const std::string trace = (c.lastUpdate + c.hours).toStdString();
        file.write(options);
        OptionStore status(file.path());
        const QString next = StatusReport::nextUpdate(status);
        EXPECT_TRUE(next.startsWith(c.timeLeft ? QStringLiteral("in ") + c.timeLeft : QStringLiteral("due now")))
            << trace << next.toStdString();
        EXPECT_EQ(StartupRule::Form_Initialize(status, QStringLiteral("Load 1")).leaveAtOnce, c.leaves) << trace;

        clockSetter->adjustments.clear();
        const Form1Design& ui = load(options).design();
        EXPECT_EQ(ui.TxtTime->text(), QLatin1String(c.field)) << trace;
        EXPECT_EQ(form->timer1()->interval(), 1000) << trace;
        form->Timer1_Timer();
        EXPECT_EQ(clockSetter->adjustments.size(), c.timeLeft ? 0 : 1) << trace;
        EXPECT_TRUE(form->timer1()->isActive() && form->timer1()->interval() == 60000) << trace;
        if (c.timeLeft) {
            EXPECT_EQ(form->trayForm()->ToolTip(), QStringLiteral("Korvel - Next update is in ") + c.timeLeft) << trace;
        }
    }
}

TEST_F(Form1Test, TheStatusLinesNameAServerLeftOutAndSayHowCloseTheClockIs)
{
    MockClock running(kNow, true);
    std::vector<std::unique_ptr<LoopbackTimeServer>> servers;
    QStringList cycle;
    for (const int offsetMsecs : {7000, 12000, 7000, 7000}) {
        servers.push_back(LoopbackTimeServer::followingClock(std::chrono::milliseconds(offsetMsecs)));
        cycle << servers.back()->entry();
    }
    const auto restoreCycle = qScopeGuard([before = qgetenv(ServerCycle::kEnvironmentVariable)] {
        qputenv(ServerCycle::kEnvironmentVariable, before);
    });
    qputenv(ServerCycle::kEnvironmentVariable, cycle.join(u',').toUtf8());
    host = cycle.first();
    load("CheckTime=2\n" + lastUpdateAgo(300)).design().cmdSetTime->click();
    ASSERT_EQ(clockSetter->adjustments.size(), 1) << lines().join(u'\n').toStdString();
    EXPECT_NEAR(double(clockSetter->adjustments[0]), 7'000'000, 130'000);
    EXPECT_TRUE(lines().contains("Status: " + servers[1]->entry() + " is off from the others and was left out."))
        << lines().join(u'\n').toStdString();
    EXPECT_EQ(lines().filter(QRegularExpression("^Status: The clock is now within [1-6]?[0-9] ms")).size(), 1);
}

TEST_F(Form1Test, AfterTheRollOverOf2036TheCountIsReadInTheNextEra)
{
    // Built before the roll-over, the PC just before it and the server just after.
    const QDateTime now(QDate(2036, 2, 7), QTime(6, 28, 10), Qt::UTC);
    MockClock running(now, true);
    buildDay = QDate(2026, 12, 1);
    load("CheckTime=2\n").design().cmdSetTime->click();
    ASSERT_EQ(clockSetter->adjustments.size(), 1) << lines().join(u'\n').toStdString();
    EXPECT_NEAR(double(clockSetter->adjustments[0]), 10'000'000, 500'000 + 10'000);
    EXPECT_NEAR(double(now.secsTo(QDateTime::fromString(saved(Option::LastUpdate), Qt::ISODate))), 10.0, 2.0);
}

TEST_F(Form1Test, TheEndOfSummerTimeWhileKorvelRunsNeitherMovesTheLastUpdateNorRepeatsTheUpdate)
{
    // Summer time ends at 06:00 UTC on 3 November 2030, 20 s after the window is made.
    const auto restoreZone = qScopeGuard([zone = qgetenv("TZ")] { qputenv("TZ", zone), tzset(); });
    qputenv("TZ", "XST5XDT,M3.2.0,M11.1.0");
    tzset();
    MockClock clock(QDateTime(QDate(2030, 11, 3), QTime(5, 59, 40), Qt::UTC));
    buildDay = QDate(2030, 11, 3);
    load("CheckEvery=1\nCheckTime=2\nLastUpdate=2030-11-03T02:00:00Z\n");
    clock.advanceMsecs(5'000);
    form->Timer1_Timer();
    ASSERT_EQ(clockSetter->adjustments.size(), 1) << lines().join(u'\n').toStdString();
    // After the end, the update of a minute before is a minute old, not due again.
    clock.advanceMsecs(75'000);
    form->Timer1_Timer();
    EXPECT_EQ(clockSetter->adjustments.size(), 1) << lines().join(u'\n').toStdString();

    // An update after the end is stored as the moment it was, not an hour on.
    form->design().cmdSetTime->click();
    ASSERT_EQ(clockSetter->adjustments.size(), 2) << lines().join(u'\n').toStdString();
    EXPECT_NEAR(double(clock.currentDateTimeUtc().secsTo(QDateTime::fromString(saved(Option::LastUpdate), Qt::ISODate))),
                10.0, 1.0) << saved(Option::LastUpdate).toStdString();
}
