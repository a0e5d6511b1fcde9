// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/dateserial.h"
#include "base/generaldate.h"
#include "clockset/networktimeswitch.h"
#include "loopbacktimeserver.h"
#include "net/internetflags.h"
#include "options/optionstore.h"
#include "support/fakebackend.h"
#include "support/fakeclocksetter.h"
#include "support/localescope.h"
#include "support/mockclock.h"
#include "support/optionfile.h"
#include "support/qtprinters.h"
#include "timeclient/korvelcontrol.h"
#include "update/clockupdate.h"
#include "update/dialupsession.h"
#include "update/updatereport.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2030, 6, 15), QTime(12, 0, 0), Qt::UTC);
const QDate kBuilt(2026, 12, 1);

// Everything the window would show, as lines and states; the user's answers
// are set beforehand.
class RecordingReport : public UpdateReport
{
public:
    QStringList lines, names, asked;
    int selectedLine = -1, beeps = 0;
    QString result, failure;
    bool resultNotSet = false; // marked as a failure
    bool setTimeEnabled = true, connectEnabled = true, shown = true, yes = false;

    void addStatusLine(const LocalizedText& line, bool select) override
    {
        lines.append(line.shown());
        selectedLine = select ? int(lines.size()) - 1 : selectedLine;
    }
    void clearStatusLines() override { lines.clear(); }
    void showResult(const QString& caption) override { result = caption; resultNotSet = false; }
    void showNotSet(const QString& caption) override { result = caption; resultNotSet = true; }
    void setSetTimeEnabled(bool enabled) override { setTimeEnabled = enabled; }
    void showDialUpButtons(bool connect, bool) override { connectEnabled = connect; }
    void addConnectionName(const QString& name) override { names.append(name); }
    void keepFailure(const QString& reason) override { failure = reason; }
    bool inSight() const override { return shown; }
    // The user answers `yes`, then cancels the name box.
    bool askYesNo(const QString& title, const QString&) override { asked.append(title); return yes; }
    bool askChoice(const QString& title, const QString& text, const QString&, const QString&) override
    {
        return askYesNo(title, text);
    }
    QString askText(const QString& title, const QString&) override { asked.append(title); return {}; }
    void beep() override { ++beeps; }
};

// One update with no window: a fake connection that is up (a modem), a fake
// clock setter, a settings file of its own, and a loopback time server ten
// seconds ahead of "now".
class ClockUpdateTest : public testing::Test
{
protected:
    ClockUpdateTest()
    {
        backend->state = {NetResult::success(), InternetFlags::Modem, {}};
        korvel.setHost(server->entry());
        store.write(Option::LastUpdate, kStored);
        store.sync();
    }

    ClockUpdate::Result run(ClockUpdate::AskedBy askedBy = ClockUpdate::AskedBy::User, qint32 minutesElapsed = 300)
    {
        request.askedBy = askedBy;
        request.minutesElapsed = minutesElapsed;
        return update.run(request);
    }
    QString saved(const OptionKey& key) const { return OptionStore(file.path()).read(key); }

    const LocaleScope locale{"en_US"};
    const QString kStored = QStringLiteral("6/15/2030 7:00:00 AM");
    SteppingClock clock{kNow};
    std::unique_ptr<LoopbackTimeServer> server =
        std::make_unique<LoopbackTimeServer>(LoopbackTimeServer::answerFor(kNow.addSecs(10)));
    std::shared_ptr<FakeBackend> backend = std::make_shared<FakeBackend>();
    FakeClockSetter clockSetter;
    RecordingReport report;
    OptionFile file;
    OptionStore store{file.path()};
    KorvelControl korvel;
    DialUpSession dialUp{backend, report};
    // No system bus: nothing says whether network time keeps the clock.
    NetworkTimeSwitch networkTime{QDBusConnection(QStringLiteral("korvel-without-bus"))};
    ClockUpdate update{korvel, clockSetter, networkTime, dialUp, store, report, kBuilt};
    ClockUpdate::Request request{ClockUpdate::AskedBy::User, QStringLiteral("2"), 0, false, false, true, {}};
};

} // namespace

TEST_F(ClockUpdateTest, AnAnswerSetsTheClockRecordsTheUpdateAndBeeps)
{
    const ClockUpdate::Result result = run();
    EXPECT_EQ(result.outcome, ClockUpdate::Outcome::Applied);
    EXPECT_EQ(report.lines, (QStringList{"Status: Looking for a connection...", "Status: Connected - Modem",
                                         "Status: Attmpting to contact time server...", "Status: Time Received.",
                                         "Status: The clock is now within 500 ms of the time servers.",
                                         "Last update was on - 6/15/2030 12:00:10 PM"}));
    EXPECT_EQ(report.result, QStringLiteral(" 6/15/2030 12:00:10 PM\n  Network Lagtime = 0.25"));
    // Ten seconds ahead, plus half the wait once connected, plus half of the truncated second.
    EXPECT_EQ(clockSetter.adjustments, QList<qint64>{10'625'000});
    EXPECT_EQ(report.beeps, 1);
    EXPECT_EQ(saved(Option::LastUpdate), QStringLiteral("2030-06-15T12:00:10Z"));
    EXPECT_NEAR(result.appliedLocalSerial, DateSerial::fromDateTime(kNow.addMSecs(10250)), 1e-9);
    EXPECT_FALSE(report.connectEnabled) << "a connection is up: Connect has nothing to do";

    // The lag is written the user's way; without the menu's mark, no beep.
    const LocaleScope german("de_DE");
    request.beep = false;
    run();
    EXPECT_TRUE(report.result.endsWith(QStringLiteral("\n  Network Lagtime = 0,25"))) << qPrintable(report.result);
    EXPECT_EQ(report.beeps, 1);
}

TEST_F(ClockUpdateTest, FailuresLeaveTheLastUpdateSayWhyAndReenableSetTime)
{
    // answer: from the time server, empty: nothing listens; kept: the reason stays readable in full.
    struct Case {
        const char* name; QByteArray answer; ClockSetOutcome clockAnswer; int adjustments; const char* lastLine; bool kept;
    };
    const Case cases[] = {
        {"query fails", {}, {}, 0, "Can't Get Time please check your connection to the internet and retry.", false},
        // Past the fifty years: said in the era just after them, not 136 years before.
        {"past the window", LoopbackTimeServer::answerFor(QDateTime(QDate(2080, 1, 1), QTime(0, 0), Qt::UTC)), {}, 0,
         "Status: The time server sent 1/1/2080 UTC, which cannot be right. The clock was not changed.", true},
        // 7 February 2036 (0 is the roll-over itself), years ahead: a lone
        // server must confirm, and a stuck one does not.
        {"lone server stuck", QByteArray(4, '\0'), {}, 0,
         "Status: The time server would move the clock by more than a day, and asked again 4 seconds later "
         "its time had not moved on by 4 seconds. The clock was not changed.",
         true},
        // Network time came on unseen; the user declines to take over: a check.
        {"network time on", LoopbackTimeServer::answerFor(kNow), {ClockSetOutcome::Kind::AutomaticTimeSyncOn, {}}, 1,
         "The PC clock is 0.625 s behind the time servers (±0.500 s); network time keeps it.", true},
    };
    for (const Case& c : cases) {
        server = std::make_unique<LoopbackTimeServer>(c.answer);
        korvel.setHost(c.answer.isEmpty() ? LoopbackTimeServer::refusedEntry() : server->entry());
        clockSetter.adjustments.clear();
        clockSetter.answer = c.clockAnswer;
        report.lines.clear();
        EXPECT_NE(run().outcome, ClockUpdate::Outcome::Applied) << c.name;
        EXPECT_EQ(report.lines.last(), QString::fromUtf8(c.lastLine)) << c.name;
        // Only a failed query's line is added without being selected.
        EXPECT_EQ(report.selectedLine == report.lines.size() - 1, !c.answer.isEmpty()) << c.name;
        EXPECT_EQ(report.failure, c.kept ? QString::fromUtf8(c.lastLine) : QString()) << c.name;
        EXPECT_TRUE(report.resultNotSet && report.result.startsWith(" Clock not set:\n  ")) << c.name;
        EXPECT_EQ(clockSetter.adjustments.size(), c.adjustments) << c.name;
        EXPECT_TRUE(report.setTimeEnabled) << c.name;
        // Nothing was applied, so nothing is written again.
        update.rewriteLastUpdate();
        EXPECT_EQ(saved(Option::LastUpdate), kStored) << c.name;
    }
}

TEST_F(ClockUpdateTest, WithoutAConnectionTheUserIsAskedOncePerRunAndOnlyInSight)
{
    backend->state = {};
    report.yes = true; // ... and then cancels the name box
    EXPECT_EQ(run().outcome, ClockUpdate::Outcome::NoConnection);
    EXPECT_EQ(report.asked, (QStringList{"No Connection", "Name the connection"}));
    EXPECT_EQ(report.names, QStringList{QString()});
    EXPECT_TRUE(OptionStore(file.path()).read(Option::Connection).isEmpty());

    run();
    EXPECT_EQ(report.asked.size(), 2) << "asked once per run";
    EXPECT_EQ(report.lines.mid(report.lines.size() - 2),
              (QStringList{"Status: Looking for a connection...", "Status: Not Connected."}));
    EXPECT_TRUE(clockSetter.adjustments.isEmpty());

    ClockUpdate hidden{korvel, clockSetter, networkTime, dialUp, store, report, kBuilt};
    report.shown = false;
    report.asked.clear();
    hidden.run(request);
    EXPECT_TRUE(report.asked.isEmpty()) << "hidden in the tray, nobody is asked";
}

TEST_F(ClockUpdateTest, AutomaticDiallingWaitsUntilTheUpdateIsDueWithinAMinute)
{
    backend->state = {NetResult::failure(), InternetFlags::RasInstalled, {}};
    request.autoConnect = true;
    request.entryName = QStringLiteral("Modem");
    for (const auto& [minutesAgo, dials] : {std::pair{118, false}, std::pair{119, true}}) {
        backend->dialledEntries.clear();
        run(ClockUpdate::AskedBy::Schedule, minutesAgo);
        EXPECT_EQ(backend->dialledEntries, dials ? QStringList{"Modem"} : QStringList{}) << minutesAgo;
        // Connect starts a fresh status list with what it found.
        EXPECT_EQ(report.lines.last(), dials ? QStringLiteral("Status: No Connection Found")
                                             : QStringLiteral("Status: Not Connected."))
            << minutesAgo;
        EXPECT_TRUE(report.asked.isEmpty());
    }
}
