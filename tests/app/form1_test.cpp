#include "base/dateserial.h"
#include "base/generaldate.h"
#include "base/textformat.h"
#include "form1fixture.h"
#include "net/internetflags.h"
#include "support/fakebackend.h"
#include "support/mockclock.h"
#include "support/timeserverfixture.h"
#include "timeclient/servercycle.h"
#include "tray/frmsystray.h"
#include "ui/fittedcheckbox.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(12, 0, 0), Qt::UTC);

// Stands still in UTC; its monotonic clock moves a quarter second per
// reading, so one query measures 250 ms to connect and 250 ms to the answer:
// a lag of 0.25 s.
class SteppingClock : public MockClock
{
public:
    using MockClock::MockClock;
    qint64 monotonicMsecs() const override { return 250 * m_readings++; }

private:
    mutable qint64 m_readings = 0;
};

// The window in a UTC zone with the en_US locale, a fake connection that is
// up (a modem, no dial-up support), a fake clock and a loopback time server
// ten seconds ahead of "now".
class Form1Test : public Form1Fixture
{
protected:
    Form1Test()
    {
        TextFormat::pinLocale(QLocale(QStringLiteral("en_US")));
        fake->state = {NetResult::success(), InternetFlags::Modem, {}};
        backend = fake;
        host = server->entry();
        // A fixed day, so that the fixed "now" never lies before a later build.
        buildDay = kNow.date();
    }
    ~Form1Test() override { TextFormat::unpinLocale(); }

    static QByteArray lastUpdateAgo(int minutes)
    {
        return "LastUpdate=" + GeneralDate::format(DateSerial::addMinutes(DateSerial::fromDateTime(kNow), -minutes)).toUtf8()
            + "\n";
    }

    // Loads the window with time servers that follow the test's clock plus
    // the given offsets (nothing: a server that never answers), asked in
    // this order.
    const Form1Design& loadWithServers(const std::vector<std::optional<int>>& offsetsMsecs)
    {
        servers.clear();
        QStringList cycle;
        for (const auto& offset : offsetsMsecs) {
            servers.push_back(offset ? TimeServerFixture::followingClock(std::chrono::milliseconds(*offset))
                                     : std::make_unique<TimeServerFixture>(QByteArray(), true));
            cycle << servers.back()->entry();
        }
        const QByteArray before = qgetenv(ServerCycle::kEnvironmentVariable);
        qputenv(ServerCycle::kEnvironmentVariable, cycle.join(u',').toUtf8());
        host = cycle.first();
        clockSetter->adjustments.clear();
        const Form1Design& ui = load("CheckTime=2\n" + lastUpdateAgo(300)).design();
        qputenv(ServerCycle::kEnvironmentVariable, before);
        return ui;
    }

    SteppingClock clock{kNow};
    std::vector<std::unique_ptr<TimeServerFixture>> servers;
    std::shared_ptr<FakeBackend> fake = std::make_shared<FakeBackend>();
    std::unique_ptr<TimeServerFixture> server =
        std::make_unique<TimeServerFixture>(TimeServerFixture::answerFor(kNow.addSecs(10)));
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
    EXPECT_EQ(ui.cboTimeZone->currentIndex(), 0);
    EXPECT_DOUBLE_EQ(form->korvel().OffSet(), 4.5) << "the first zone's offset reaches the clock";
    EXPECT_EQ(ui.cboEntries->currentIndex(), -1);
    EXPECT_EQ(lines(), (QStringList{"Last update was on - 0:00:00", "Status: NO RAS"}));
    EXPECT_FALSE(ui.CmdConnect->isEnabled());
    EXPECT_FALSE(file.exists());
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
    entries = {QStringLiteral("Office"), QStringLiteral("Evening ISP")};
    const Form1Design& ui = load(options).design();
    EXPECT_EQ(ui.cboEntries->currentIndex(), 1);
    form->SaveOptions();
    const std::pair<OptionKey, const char*> expected[] = {
        {Option::Connection, "Evening ISP"}, {Option::CheckEvery, "2"}, {Option::CheckTime, "2.5 hrs"},
        {Option::CheckAuto, "1"}, {Option::Disconnect, "1"}, {Option::Unload, "1"}, {Option::TimeAway, "abc"},
        {Option::Beep, "True"}, {Option::TimeZone, "17"}, {Option::LastUpdate, "5/14/2026 9:41:30 AM"}};
    for (const auto& [key, text] : expected)
        EXPECT_EQ(saved(key), QLatin1String(text)) << key.name;

    // Changes made in the window are what the next save writes.
    ui.mnuBeep->trigger();
    ui.cboTimeZone->setCurrentIndex(-1);
    ui.cboEntries->setEditText(QStringLiteral("Typed by hand"));
    form->close();
    EXPECT_EQ(saved(Option::Beep), QStringLiteral("False"));
    EXPECT_EQ(saved(Option::TimeZone), QStringLiteral("-1"));
    EXPECT_EQ(saved(Option::Connection), QStringLiteral("Typed by hand"));
}

TEST_F(Form1Test, UnattendedStartStaysHiddenAndKeepsAConnectionNotInTheList)
{
    entries = {QStringLiteral("gone")};
    load("Connection=Gone\n", true);
    EXPECT_TRUE(form->isMinimized() || !form->isVisible()) << "out of sight: hidden, or minimised without a tray";
    EXPECT_EQ(form->design().cboEntries->currentIndex(), -1);
    form->SaveOptions();
    EXPECT_EQ(saved(Option::Connection), QStringLiteral("Gone"));
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
    const QStringList shown = lines(window);
    ASSERT_EQ(shown.size(), 3);
    EXPECT_TRUE(shown[2].startsWith("Options not saved: cannot write")) << qPrintable(shown[2]);
    EXPECT_TRUE(window.design().lstConnectState->item(2)->isSelected());
}

TEST_F(Form1Test, ASuccessfulUpdateSetsTheClockReportsAndRestartsTheCountdown)
{
    const Form1Design& ui = load("Beep=True\nCheckTime=2\n" + lastUpdateAgo(300)).design();
    const int before = ui.lstConnectState->count();
    ui.cmdSetTime->click();

    EXPECT_EQ(lines().mid(before), (QStringList{"Status: Looking for a connection...", "Status: Connected - Modem",
                                                "Status: Attmpting to contact time server...",
                                                "Status: Time Received.", "Last update was on - 12/6/2026 12:00:10 PM"}));
    EXPECT_EQ(ui.Label1->text(), QStringLiteral(" 12/6/2026 12:00:10 PM\n  Network Lagtime = 0.25"));
    // Ten seconds ahead, plus half the wait once connected, plus half of the truncated second.
    EXPECT_EQ(clockSetter->adjustments, QList<qint64>{10'625'000});
    EXPECT_EQ(prompts->beeps, 1);
    EXPECT_EQ(saved(Option::LastUpdate), QStringLiteral("12/6/2026 12:00:10 PM"));
    EXPECT_TRUE(ui.chkUnload->text().endsWith(QStringLiteral(" - Next update is in 2.0 hours")));
    EXPECT_EQ(form->trayForm()->ToolTip(), QStringLiteral("Korvel - Next update is in 2.0 hours"));
    EXPECT_TRUE(ui.cmdSetTime->isEnabled());
}

TEST_F(Form1Test, TheLagFollowsTheLocaleAndTheBeepItsMenuItem)
{
    TextFormat::pinLocale(QLocale(QStringLiteral("de_DE")));
    const Form1Design& ui = load("Beep=False\n").design();
    ui.cmdSetTime->click();
    EXPECT_TRUE(ui.Label1->text().endsWith(QStringLiteral("\n  Network Lagtime = 0,25")))
        << ui.Label1->text().toStdString();
    EXPECT_EQ(prompts->beeps, 0);
}

TEST_F(Form1Test, FailuresLeaveTheLastUpdateAndReenableSetTime)
{
    const QByteArray options = "CheckTime=2\n" + lastUpdateAgo(30);
    const QString stored = GeneralDate::format(DateSerial::addMinutes(DateSerial::fromDateTime(kNow), -30));
    struct Case
    {
        const char* name;
        QByteArray answer; // from the time server; empty: nothing listens
        ClockSetOutcome clockAnswer;
        int adjustments;
        const char* lastLine;
    };
    const Case cases[] = {
        {"query fails", {}, {}, 0, "Can't Get Time please check your connection to the internet and retry."},
        {"zero", QByteArray(4, '\0'), {}, 0, "Status: The time server sent 0, which is never a time. The clock was not changed."},
        {"before the build day", TimeServerFixture::answerFor(QDateTime(QDate(1990, 1, 1), QTime(0, 0), Qt::UTC)), {}, 0,
         "Status: The time server sent 1/1/1990 UTC, which cannot be right. The clock was not changed."},
        // 7 February 2036 read in its era, nine years ahead: a lone server must confirm.
        {"lone server stuck", QByteArray(4, '\xff'), {}, 0,
         "Status: The time server would move the clock by more than a day, and asked again 4 seconds later "
         "its time had not moved on by 4 seconds. The clock was not changed."},
        {"clock refused", TimeServerFixture::answerFor(kNow),
         {ClockSetOutcome::Kind::AutomaticTimeSyncOn, QStringLiteral("automatic network time is on")}, 1,
         "Status: Clock not set: automatic network time is on"},
    };
    for (const Case& c : cases) {
        server = std::make_unique<TimeServerFixture>(c.answer);
        clockSetter->adjustments.clear();
        clockSetter->answer = c.clockAnswer;
        host = c.answer.isEmpty() ? TimeServerFixture::refusedEntry() : server->entry();
        const Form1Design& ui = load(options).design();
        ui.cmdSetTime->click();
        EXPECT_EQ(lines().last(), QLatin1String(c.lastLine)) << c.name;
        // Only a failed query's line is added without being selected.
        EXPECT_EQ(ui.lstConnectState->currentRow() == ui.lstConnectState->count() - 1, !c.answer.isEmpty())
            << c.name;
        EXPECT_EQ(clockSetter->adjustments.size(), c.adjustments) << c.name;
        EXPECT_EQ(saved(Option::LastUpdate), stored) << c.name;
        EXPECT_TRUE(ui.cmdSetTime->isEnabled()) << c.name;
        // The next tick writes no received time either.
        form->Timer1_Timer();
        EXPECT_EQ(saved(Option::LastUpdate), stored) << c.name;
    }
}

TEST_F(Form1Test, ARefusedAuthorisationHoldsAutomaticUpdatesUntilTheUserPresses)
{
    clockSetter->answer = {ClockSetOutcome::Kind::NotAuthorised, QStringLiteral("permission was refused")};
    const Form1Design& ui = load("CheckEvery=1\nCheckTime=2\n" + lastUpdateAgo(180)).design();
    form->Timer1_Timer();
    ASSERT_EQ(clockSetter->adjustments.size(), 1);
    EXPECT_EQ(lines().last(), QStringLiteral("Status: Automatic updates will not ask again until you press \"Set Time\"."));
    EXPECT_EQ(form->trayForm()->ToolTip(), QStringLiteral("Korvel - Automatic updates wait for \"Set Time\""));

    form->Timer1_Timer();
    EXPECT_EQ(clockSetter->adjustments.size(), 1) << "no second question from the scheduler";
    EXPECT_TRUE(ui.Timer1->isActive());

    clockSetter->answer = {ClockSetOutcome::Kind::Set, {}};
    ui.cmdSetTime->click();
    EXPECT_EQ(clockSetter->adjustments.size(), 2);
    EXPECT_TRUE(form->trayForm()->ToolTip().startsWith(QStringLiteral("Korvel - Next update is in")));
}

TEST_F(Form1Test, WithoutAConnectionTheUserIsAskedOncePerRun)
{
    fake->state = {};
    const Form1Design& ui = load("Connection=Office\n").design();
    prompts->yes = true; // ... and then cancels the name box
    ui.cmdSetTime->click();
    EXPECT_EQ(prompts->asked, (QStringList{"No Connection", "Name the connection"}));
    EXPECT_EQ(saved(Option::Connection), QString());
    EXPECT_EQ(ui.cboEntries->currentIndex(), ui.cboEntries->count() - 1);
    EXPECT_EQ(ui.cboEntries->currentText(), QString());

    ui.cmdSetTime->click();
    EXPECT_EQ(prompts->asked.size(), 2) << "asked once per run";
    EXPECT_EQ(lines().mid(lines().size() - 2), (QStringList{"Status: Looking for a connection...", "Status: Not Connected."}));
    EXPECT_EQ(clockSetter->adjustments.size(), 0);

    // Hidden in the tray, nobody is asked.
    prompts->asked.clear();
    load("", true);
    form->cmdSetTime_Click();
    EXPECT_TRUE(prompts->asked.isEmpty());
}

TEST_F(Form1Test, AutomaticDiallingWaitsUntilTheUpdateIsDueWithinAMinute)
{
    fake->state = {NetResult::failure(), InternetFlags::RasInstalled, {}};
    fake->entries = {QStringLiteral("Modem")};
    for (const auto& [minutesAgo, dials] : {std::pair{118, false}, std::pair{119, true}}) {
        fake->dialledEntries.clear();
        load("CheckAuto=1\nConnection=Modem\nCheckTime=2\n" + lastUpdateAgo(minutesAgo)).design().cmdSetTime->click();
        EXPECT_EQ(fake->dialledEntries, dials ? QStringList{"Modem"} : QStringList{}) << minutesAgo;
        // Connect starts a fresh status list with what it found.
        EXPECT_EQ(lines().last(), dials ? QStringLiteral("Status: No Connection Found")
                                        : QStringLiteral("Status: Not Connected."))
            << minutesAgo;
        EXPECT_TRUE(prompts->asked.isEmpty());
    }
}

TEST_F(Form1Test, TheTickStartsDueUpdatesOnlyWhenTheBoxIsTicked)
{
    struct Case
    {
        const char* options;
        bool updates;
        bool rearmed;
    };
    const Case cases[] = {
        {"CheckEvery=1\nCheckTime=abc\n", true, true}, // no hours: due at every tick
        {"CheckEvery=2\nCheckTime=2\n", false, false},  // grayed: fields on, updates off
        {"CheckEvery=1\nCheckTime=2\nLastUpdate=0:00:00\n", true, true}, // a fresh store is long overdue
        {"CheckEvery=1\nCheckTime=2\n", false, true},
    };
    for (const Case& c : cases) {
        clockSetter->adjustments.clear();
        const QByteArray options = QByteArray(c.options).contains("LastUpdate") ? QByteArray(c.options)
                                                                                 : c.options + lastUpdateAgo(10);
        const Form1Design& ui = load(options).design();
        EXPECT_EQ(ui.Timer1->interval(), 1000) << c.options;
        form->Timer1_Timer();
        EXPECT_EQ(clockSetter->adjustments.size(), c.updates ? 1 : 0) << c.options;
        EXPECT_EQ(ui.Timer1->isActive(), c.rearmed) << c.options;
        EXPECT_EQ(ui.Timer1->interval(), 60000) << c.options;
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
    EXPECT_EQ(saved(Option::LastUpdate), QStringLiteral("12/6/2026 12:00:10 PM"));
}

TEST_F(Form1Test, HoursFieldsSelectOnEntryTurnEnterIntoTabAndRecountOnLeaving)
{
    const Form1Design& ui = load("CheckEvery=1\nCheckTime=2\n" + lastUpdateAgo(30)).design();
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(ui.txtAway, &in);
    EXPECT_EQ(ui.txtAway->selectedText(), ui.txtAway->text());

    int returns = 0;
    QObject::connect(ui.TxtTime, &QLineEdit::returnPressed, [&returns] { ++returns; });
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(ui.TxtTime, &enter);
    EXPECT_EQ(returns, 0) << "Enter moves on instead";

    ui.TxtTime->setText(QString());
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(ui.TxtTime, &out);
    // Below a minute the countdown shows the timer's interval: one second until the first tick.
    EXPECT_TRUE(ui.chkUnload->text().endsWith(QStringLiteral("- Next update is in 1 seconds.")))
        << ui.chkUnload->text().toStdString();
    EXPECT_EQ(form->trayForm()->ToolTip(), QStringLiteral("Korvel - Next update is in 1 seconds"));
}

TEST_F(Form1Test, FourServersSetTheClockWithinAnEighthOfASecondWhereverTheTruthLiesInTheSecond)
{
    MockClock running(kNow, true);
    for (int eighth = 0; eighth < 8; ++eighth) {
        const int offsetMsecs = 7000 + 125 * eighth + 31;
        loadWithServers({offsetMsecs, offsetMsecs, offsetMsecs, offsetMsecs}).cmdSetTime->click();
        ASSERT_EQ(clockSetter->adjustments.size(), 1) << lines().join(u'\n').toStdString();
        EXPECT_NEAR(double(clockSetter->adjustments[0]), offsetMsecs * 1000.0, 125'000 + 10'000) << offsetMsecs;
    }
}

TEST_F(Form1Test, ServersThatDisagreeSetNothingAndASilentOneIsLeftOut)
{
    MockClock running(kNow, true);
    const QString stored = GeneralDate::format(DateSerial::addMinutes(DateSerial::fromDateTime(kNow), -300));
    loadWithServers({7000, 12000, 7000, 7000}).cmdSetTime->click();
    EXPECT_EQ(lines().last(), "Status: The time servers disagree: " + servers[1]->entry()
                                  + " is off from the others. The clock was not changed.");
    EXPECT_TRUE(clockSetter->adjustments.isEmpty());
    EXPECT_EQ(saved(Option::LastUpdate), stored);

    loadWithServers({7000, 7000, std::nullopt, 7000}).cmdSetTime->click();
    ASSERT_EQ(clockSetter->adjustments.size(), 1) << lines().join(u'\n').toStdString();
    EXPECT_NEAR(double(clockSetter->adjustments[0]), 7'000'000, 125'000 + 10'000);
    EXPECT_EQ(servers[2]->connections(), 1);
    EXPECT_EQ(servers[3]->connections(), 1) << "asked after the silent one";

    // One that was silent to the first question is not asked again.
    loadWithServers({std::nullopt, 7000, 7000, 7000}).cmdSetTime->click();
    EXPECT_EQ(clockSetter->adjustments.size(), 1);
    EXPECT_EQ(servers[0]->connections(), 1);
}

TEST_F(Form1Test, AfterTheRollOverOf2036TheCountIsReadInTheNextEra)
{
    const std::pair<QDate, QDateTime> rows[] = {
        // Built before the roll-over, the PC just before it and the server just after.
        {QDate(2026, 12, 1), QDateTime(QDate(2036, 2, 7), QTime(6, 28, 10), Qt::UTC)},
        {QDate(2036, 6, 1), QDateTime(QDate(2037, 1, 1), QTime(12, 0), Qt::UTC)},
    };
    for (const auto& [built, now] : rows) {
        MockClock running(now, true);
        buildDay = built;
        server = TimeServerFixture::followingClock(std::chrono::milliseconds(7000));
        host = server->entry();
        clockSetter->adjustments.clear();
        load("CheckTime=2\n").design().cmdSetTime->click();
        ASSERT_EQ(clockSetter->adjustments.size(), 1) << lines().join(u'\n').toStdString();
        EXPECT_NEAR(double(clockSetter->adjustments[0]), 7'000'000, 500'000 + 10'000);
        const auto stored = GeneralDate::parse(saved(Option::LastUpdate));
        ASSERT_TRUE(stored.has_value()) << saved(Option::LastUpdate).toStdString();
        EXPECT_NEAR(*stored, DateSerial::fromDateTime(now.addSecs(7)), 2.0 / DateSerial::kSecondsPerDay);
    }
}
