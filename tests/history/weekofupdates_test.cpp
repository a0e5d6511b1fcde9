// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/clock.h"
#include "clockset/clocksetter.h"
#include "clockset/networktimeswitch.h"
#include "history/clockdrift.h"
#include "loopbacktimeserver.h"
#include "options/optionstore.h"
#include "support/fakebackend.h"
#include "support/localescope.h"
#include "unseenreport.h"
#include "timeclient/korvelcontrol.h"
#include "update/clockupdate.h"
#include "update/dialupsession.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>

namespace {

const QDateTime kStart(QDate(2030, 6, 15), QTime(12, 0, 0, 300), Qt::UTC);
const QDate kBuilt(2026, 12, 1);
// The PC's clock loses a second a day against its time servers.
constexpr double kRate = -1.0 / 86400.0;
constexpr qint64 kStepMsecs = 20;
// Each update waits a second after its answer, as the component does: a
// week in a few dozen updates.
constexpr int kADay = 4;
constexpr int kUpdates = 7 * kADay;
constexpr qint64 kEveryMsecs = 6 * 3600 * 1000;

// The PC's clock and its time server's on one time line, which moves on
// 20 ms at each reading of the monotonic clock and as the test waits. The
// server's clock runs a second a day faster; setting the PC's moves it alone.
class DriftingPc : public Clock
{
public:
    DriftingPc() { Clock::setInstance(this); }
    ~DriftingPc() override { Clock::setInstance(nullptr); }

    QDateTime currentDateTimeUtc() const override { return kStart.addMSecs(m_elapsed + m_setUsec / 1000); }
    qint64 monotonicMsecs() const override { return m_elapsed += kStepMsecs; }
    QDateTime serverUtc() const { return kStart.addMSecs(m_elapsed - qint64(double(m_elapsed) * kRate)); }
    // The PC clock minus the server's, as it is.
    qint64 offsetUsec() const { return m_setUsec + qint64(double(m_elapsed) * kRate * 1000.0); }

    void wait(qint64 msecs) { m_elapsed += msecs; }
    void set(qint64 usec) { m_setUsec += usec; }

private:
    mutable std::atomic<qint64> m_elapsed{0};
    std::atomic<qint64> m_setUsec{0};
};

class PcSetter : public ClockSetter
{
public:
    explicit PcSetter(DriftingPc& pc) : m_pc(pc) {}
    bool refuse = false;

    ClockSetOutcome adjust(qint64 usec) override
    {
        if (refuse)
            return {ClockSetOutcome::Kind::NotAuthorised, QStringLiteral("permission was refused")};
        m_pc.set(usec);
        return {ClockSetOutcome::Kind::Set, {}};
    }
    QString name() const override { return QStringLiteral("drifting PC"); }

private:
    DriftingPc& m_pc;
};

} // namespace

// Every six hours for a week the schedule updates the clock from a server
// whose clock gains a second a day on the PC's; on the third day permission
// is refused, so the clock runs free. Each record says what the update found,
// and the drift comes out at a second a day, within what it says.
TEST(WeekOfUpdates, TheHistoryRecordsEachUpdateAndTheDriftComesOutAsTheClockRuns)
{
    QTemporaryDir state;
    const QByteArray previousState = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    const LocaleScope english("en_US");
    DriftingPc pc;
    auto server = LoopbackTimeServer::telling([&pc] { return pc.serverUtc(); });
    auto backend = std::make_shared<FakeBackend>();
    backend->state = {NetResult::success(), InternetFlags::Modem, {}};
    PcSetter setter(pc);
    UnseenReport report;
    QTemporaryDir config;
    OptionStore store(config.filePath(QStringLiteral("Korvel.ini")));
    KorvelControl korvel;
    korvel.setHost(server->entry());
    DialUpSession dialUp(backend, report);
    NetworkTimeSwitch networkTime(QDBusConnection(QStringLiteral("korvel-without-bus")));
    ClockUpdate update(korvel, setter, networkTime, dialUp, store, report, kBuilt);

    QList<qint64> trueOffsets;
    QList<QDateTime> serverTimes;
    for (int i = 0; i < kUpdates; ++i) {
        setter.refuse = i / kADay == 2;
        trueOffsets << pc.offsetUsec();
        serverTimes << pc.serverUtc();
        ClockUpdate::Request request;
        request.askedBy = i == 0 ? ClockUpdate::AskedBy::User : ClockUpdate::AskedBy::Schedule;
        update.run(request);
        pc.wait(kEveryMsecs);
    }
    qputenv("XDG_STATE_HOME", previousState);

    const QList<HistoryRecord> records = UpdateHistory(state.filePath(QStringLiteral("korvel/history.csv"))).read().records;
    ASSERT_EQ(records.size(), kUpdates) << report.lines.join(u'\n').toStdString();
    for (int i = 0; i < records.size(); ++i) {
        const HistoryRecord& record = records.at(i);
        const std::string name = "update " + std::to_string(i);
        const bool refused = i / kADay == 2;
        EXPECT_EQ(record.outcome, refused ? HistoryRecord::Outcome::NotSet : HistoryRecord::Outcome::Set) << name;
        EXPECT_EQ(record.reason, refused ? QStringLiteral("permission was refused") : QString()) << name;
        EXPECT_EQ(record.askedByUser, i == 0) << name;
        EXPECT_EQ(record.servers, QStringList{server->entry()}) << name;
        EXPECT_GT(record.lagSeconds.value_or(0), 0.0) << name;
        EXPECT_LT(record.lagSeconds.value_or(1), 0.1) << name;
        // One answer: within half a second, give or take a step of the time line.
        ASSERT_TRUE(record.offsetUsec) << name;
        EXPECT_EQ(record.uncertaintyUsec, 500'000) << name;
        EXPECT_LE(std::abs(*record.offsetUsec - trueOffsets.at(i)), record.uncertaintyUsec + 2 * kStepMsecs * 1000)
            << name;
        // At the servers' time, whatever the PC's clock said, to the second.
        EXPECT_LE(std::abs(record.utc.msecsTo(serverTimes.at(i))), 1000 + record.uncertaintyUsec / 1000) << name;
    }

    // A second a day, pinned by a week of single answers; half a second in about half a day.
    const auto drift = ClockDrift::of(records);
    ASSERT_TRUE(drift);
    EXPECT_EQ(drift->measurements, kUpdates);
    EXPECT_LE(std::abs(drift->secondsPerDay - kRate * 86400.0), drift->uncertainty);
    EXPECT_LT(drift->uncertainty, 0.1);
    EXPECT_NEAR(ClockDrift::keepingHours(*drift), 12.0, 1.2);
}
