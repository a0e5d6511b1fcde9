#include "app/form1.h"
#include "app/optionstore.h"
#include "base/dateserial.h"
#include "base/generaldate.h"
#include "base/textformat.h"
#include "form1fakes.h"
#include "net/internetflags.h"
#include "optionfile.h"
#include "support/fakebackend.h"
#include "support/mockclock.h"
#include "support/qtprinters.h"
#include "support/timeserverfixture.h"
#include "timeclient/korvelcontrol.h"
#include "tray/frmsystray.h"
#include "ui/fittedcheckbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(12, 0, 0), Qt::UTC);

// Stands still in UTC; its monotonic clock moves half a second per reading,
// so one query measures a round trip of 500 ms: a lag of 0.25 s.
class SteppingClock : public MockClock
{
public:
    using MockClock::MockClock;
    qint64 monotonicMsecs() const override { return 500 * m_readings++; }

private:
    mutable qint64 m_readings = 0;
};

// The window in a UTC zone with the en_US locale, a fake connection that is
// up, a fake clock and a loopback time server ten seconds ahead of "now".
class Form1UpdateTest : public testing::Test
{
protected:
    Form1UpdateTest()
    {
        TextFormat::pinLocale(QLocale(QStringLiteral("en_US")));
        backend->state.result = NetResult::success();
        backend->state.flags = InternetFlags::Modem;
    }
    ~Form1UpdateTest() override { TextFormat::unpinLocale(); }

    static QByteArray lastUpdateAgo(int minutes)
    {
        return "LastUpdate=" + GeneralDate::format(DateSerial::addMinutes(DateSerial::fromDateTime(kNow), -minutes)).toUtf8()
            + "\n";
    }

    Form1& load(const QByteArray& options, bool startedWithLoad = false, const QString& host = {})
    {
        form.reset();
        file.write("[Option]\n" + options);
        store = std::make_unique<OptionStore>(file.path());
        const StartupState startup =
            StartupRule::Form_Initialize(*store, startedWithLoad ? QStringLiteral("korvel Load 1") : QString());
        form = std::make_unique<Form1>(startup, *store,
                                       testServices(backend, clockSetter, prompts, [this] { ++ends; }));
        form->korvel().setHost(host.isEmpty() ? server->entry() : host);
        form->Form_Load();
        // Tests run the ticks themselves.
        form->design().Timer1->stop();
        return *form;
    }

    QStringList lines() const
    {
        QStringList all;
        for (int row = 0; row < form->design().lstConnectState->count(); ++row)
            all.append(form->design().lstConnectState->item(row)->text());
        return all;
    }

    QString saved(const OptionKey& key) const { return OptionStore(file.path()).read(key); }

    SteppingClock clock{kNow};
    std::shared_ptr<FakeBackend> backend = std::make_shared<FakeBackend>();
    std::shared_ptr<FakeClockSetter> clockSetter = std::make_shared<FakeClockSetter>();
    std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
    std::unique_ptr<TimeServerFixture> server =
        std::make_unique<TimeServerFixture>(TimeServerFixture::answerFor(kNow.addSecs(10)));
    int ends = 0;
    OptionFile file;
    std::unique_ptr<OptionStore> store;
    std::unique_ptr<Form1> form;
};

} // namespace

TEST_F(Form1UpdateTest, ASuccessfulUpdateSetsTheClockReportsAndRestartsTheCountdown)
{
    const Form1Design& ui = load("Beep=True\nCheckTime=2\n" + lastUpdateAgo(300)).design();
    const int before = ui.lstConnectState->count();
    ui.cmdSetTime->click();

    EXPECT_EQ(lines().mid(before), (QStringList{"Status: Looking for a connection...", "Status: Connected - Modem",
                                                "Status: Attmpting to contact time server...",
                                                "Status: Time Received.", "Last update was on - 12/6/2026 12:00:10 PM"}));
    EXPECT_EQ(ui.Label1->text(), QStringLiteral(" 12/6/2026 12:00:10 PM\n  Network Lagtime = 0.25"));
    // Ten seconds ahead, plus the lag, plus half of the truncated second.
    EXPECT_EQ(clockSetter->adjustments, QList<qint64>{10'750'000});
    EXPECT_EQ(prompts->beeps, 1);
    EXPECT_EQ(saved(Option::LastUpdate), QStringLiteral("12/6/2026 12:00:10 PM"));
    EXPECT_TRUE(ui.chkUnload->text().endsWith(QStringLiteral(" - Next update is in 2.0 hours")));
    EXPECT_EQ(form->trayForm()->ToolTip(), QStringLiteral("Korvel - Next update is in 2.0 hours"));
    EXPECT_TRUE(ui.cmdSetTime->isEnabled());
}

TEST_F(Form1UpdateTest, TheLagFollowsTheLocaleAndTheBeepItsMenuItem)
{
    TextFormat::pinLocale(QLocale(QStringLiteral("de_DE")));
    const Form1Design& ui = load("Beep=False\n").design();
    ui.cmdSetTime->click();
    EXPECT_TRUE(ui.Label1->text().endsWith(QStringLiteral("\n  Network Lagtime = 0,25")))
        << ui.Label1->text().toStdString();
    EXPECT_EQ(prompts->beeps, 0);
}

TEST_F(Form1UpdateTest, FailuresLeaveTheLastUpdateAndReenableSetTime)
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
        {"implausible time", QByteArray(4, '\0'), {}, 0,
         "Status: The time server sent 1/1/1900 UTC, which cannot be right. The clock was not changed."},
        {"clock refused", TimeServerFixture::answerFor(kNow),
         {ClockSetOutcome::Kind::AutomaticTimeSyncOn, QStringLiteral("automatic network time is on")}, 1,
         "Status: Clock not set: automatic network time is on"},
    };
    for (const Case& c : cases) {
        server = std::make_unique<TimeServerFixture>(c.answer);
        clockSetter->adjustments.clear();
        clockSetter->answer = c.clockAnswer;
        const Form1Design& ui =
            load(options, false, c.answer.isEmpty() ? TimeServerFixture::refusedEntry() : QString()).design();
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

TEST_F(Form1UpdateTest, ARefusedAuthorisationHoldsAutomaticUpdatesUntilTheUserPresses)
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

TEST_F(Form1UpdateTest, WithoutAConnectionTheUserIsAskedOncePerRun)
{
    backend->state = {};
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

TEST_F(Form1UpdateTest, AutomaticDiallingWaitsUntilTheUpdateIsDueWithinAMinute)
{
    backend->state = {NetResult::failure(), InternetFlags::RasInstalled, {}};
    backend->entries = {QStringLiteral("Modem")};
    for (const auto& [minutesAgo, dials] : {std::pair{118, false}, std::pair{119, true}}) {
        backend->dialledEntries.clear();
        load("CheckAuto=1\nConnection=Modem\nCheckTime=2\n" + lastUpdateAgo(minutesAgo)).design().cmdSetTime->click();
        EXPECT_EQ(backend->dialledEntries, dials ? QStringList{"Modem"} : QStringList{}) << minutesAgo;
        // Connect starts a fresh status list with what it found.
        EXPECT_EQ(lines().last(), dials ? QStringLiteral("Status: No Connection Found")
                                        : QStringLiteral("Status: Not Connected."))
            << minutesAgo;
        EXPECT_TRUE(prompts->asked.isEmpty());
    }
}

TEST_F(Form1UpdateTest, TheTickStartsDueUpdatesOnlyWhenTheBoxIsTicked)
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

TEST_F(Form1UpdateTest, AnUnattendedStartLeavesByTheLeaveRuleOrAfterItsUpdate)
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

TEST_F(Form1UpdateTest, HoursFieldsSelectOnEntryTurnEnterIntoTabAndRecountOnLeaving)
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
