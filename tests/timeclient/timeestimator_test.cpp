// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/mockclock.h"
#include "timeclient/timeestimator.h"
#include "timeclient/timeprotocol.h"

#include <QMap>

#include <string>

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2030, 6, 15), QTime(12, 0, 0), Qt::UTC);
const QDate kBuilt(2026, 12, 1);
// The honest servers' clock against the PC's: whole and fractional seconds.
constexpr qint64 kHonestUsec = 7'031'000;

// How one server behaves; by default honest, prompt and near.
struct Server
{
    qint64 offsetUsec = kHonestUsec;
    int oneWayMsecs = 2;
    int readToSendMsecs = 0; // sends this long after reading its clock
    int pauseMsecs = 0;      // the asking process stopped while its first question waited
    bool silent = false;
    std::optional<quint32> count = std::nullopt; // sent whatever its clock says
};

// A PC and its time servers on one fake time line, which moves only when
// the estimator waits or a question travels.
class FakeNetwork
{
public:
    FakeNetwork(const QDateTime& start, const QList<Server>& servers) : clock(start)
    {
        for (qsizetype i = 0; i < servers.size(); ++i)
            m_servers.insert(QStringLiteral("s%1").arg(i + 1), servers.at(i));
    }

    std::optional<TimeReceipt> ask(const QString& entry, int limitMsecs)
    {
        Server& server = m_servers[entry];
        questions[entry] << clock.monotonicMsecs();
        if (server.silent) {
            clock.advanceMsecs(limitMsecs);
            return std::nullopt;
        }
        TimeReceipt receipt; // connected at once, as on loopback: the path's delay is the server's to play
        receipt.askedMonotonicMsecs = receipt.connectedMonotonicMsecs = clock.monotonicMsecs();
        clock.advanceMsecs(server.oneWayMsecs);
        const qint64 serverUsec = clock.currentDateTimeUtc().toMSecsSinceEpoch() * 1000 + server.offsetUsec;
        receipt.count = server.count.value_or(quint32(serverUsec / 1'000'000 + TimeProtocol::kEpochDifference));
        clock.advanceMsecs(server.readToSendMsecs + server.oneWayMsecs + std::exchange(server.pauseMsecs, 0));
        receipt.receiptMonotonicMsecs = clock.monotonicMsecs();
        receipt.receiptUtcMsecs = clock.currentDateTimeUtc().toMSecsSinceEpoch();
        return receipt;
    }
    void wait(qint64 monotonicMsecs) { clock.advanceMsecs(std::max<qint64>(0, monotonicMsecs - clock.monotonicMsecs())); }

    // One update: the component's cycle until an answer, then the estimate.
    UpdateEstimate update()
    {
        TimeEstimator estimator(
            m_servers.keys(), kBuilt, [this](const QString& entry, int limit) { return ask(entry, limit); },
            [this](qint64 moment) { wait(moment); });
        QStringList tried;
        for (const QString& entry : m_servers.keys()) {
            if (const auto first = ask(entry, TimeProtocol::kAnswerLimitMsecs)) {
                // An answer that came too late to use starts the update when it came.
                const qint64 roundTrip = first->receiptMonotonicMsecs - first->askedMonotonicMsecs;
                updateStart = roundTrip > TimeProtocol::kAnswerLimitMsecs ? first->receiptMonotonicMsecs
                                                                          : first->askedMonotonicMsecs;
                return estimator.estimate(*first, entry, tried);
            }
            tried << entry;
        }
        return {};
    }

    MockClock clock;
    QMap<QString, QList<qint64>> questions;
    qint64 updateStart = 0;

private:
    QMap<QString, Server> m_servers;
};

Server liar(qint64 lieUsec) { return {.offsetUsec = kHonestUsec + lieUsec}; }

enum class Expect { Set, SetOrRefused, Refused };

struct Row
{
    std::string name;
    QList<Server> servers;
    Expect expect;
    // How far from the honest servers' time the clock may be set.
    qint64 toleranceUsec = TimeEstimator::kLimitUsec;
    std::string refusalOrNote = "";
    // Whether the error stays within the uncertainty the status line says.
    bool saysHowClose = true;
    QDateTime start = kNow;
};

// Each row at 17 phases of the second: no server is asked more than twice
// or twice within 4 s, an update ends within 10 s, the outcome is the
// row's, a refusal says why, and the clock lands within what the status
// line then says, never more than 130 ms.
void check(const Row& row)
{
    for (int phase = 0; phase < 1000; phase += 61) {
        FakeNetwork network(row.start.addMSecs(phase), row.servers);
        const UpdateEstimate estimate = network.update();
        const std::string name = row.name + " at phase " + std::to_string(phase) + " ms";
        for (const QList<qint64>& moments : network.questions) {
            ASSERT_LE(moments.size(), 2) << name;
            EXPECT_GE(moments.last() - moments.first(), moments.size() == 2 ? TimeEstimator::kSameServerMsecs : 0)
                << name;
            EXPECT_LE(moments.last() - network.updateStart, TimeEstimator::kUpdateMsecs) << name;
        }
        QString said = estimate.refusal.shown();
        for (const LocalizedText& note : estimate.notes)
            said += u' ' + note.shown();
        EXPECT_TRUE(said.contains(QString::fromStdString(row.refusalOrNote))) << name << ": " << qPrintable(said);
        if (!estimate.adjustmentUsec) {
            EXPECT_NE(row.expect, Expect::Set) << name << ": " << qPrintable(said);
            EXPECT_TRUE(estimate.refusal.shown().startsWith("Status: ") && estimate.refusal.shown().endsWith(" not changed."))
                << name << ": " << qPrintable(said);
            continue;
        }
        const qint64 error = std::abs(*estimate.adjustmentUsec - kHonestUsec);
        EXPECT_NE(row.expect, Expect::Refused) << name << " set " << *estimate.adjustmentUsec;
        EXPECT_LE(error, row.toleranceUsec) << name;
        if (row.saysHowClose) {
            EXPECT_LE(error, estimate.uncertaintyUsec + 2000) << name << " said " << estimate.uncertaintyUsec;
            EXPECT_LE(estimate.uncertaintyUsec, TimeEstimator::kLimitUsec) << name;
        }
    }
}

const Server kHonest;
const Server kSilent{.silent = true};
constexpr qint64 kTenYears = 315'360'000'000'000;

} // namespace

TEST(TimeEstimator, HonestServersNarrowTheOffsetToMillisecondsAndNoPauseSetsTheClockFarFromThem)
{
    const Server far{.oneWayMsecs = 300};
    const Row rows[] = {
        {"four honest servers", {kHonest, kHonest, kHonest, kHonest}, Expect::Set, 20'000},
        {"four honest servers 300 ms away each way", {far, far, far, far}, Expect::Set, 35'000},
        {"three honest servers", {kHonest, kHonest, kHonest}, Expect::Set, 70'000},
        {"three honest servers 300 ms away each way", {far, far, far}, Expect::Set, 70'000},
        {"a silent one left out", {kHonest, kSilent, kHonest, kHonest}, Expect::Set, 70'000},
        {"four sending 0 at the roll-over of 2036", {kHonest, kHonest, kHonest, kHonest}, Expect::Set, 20'000, "",
         true, QDateTime(QDate(2036, 2, 7), QTime(6, 28, 9), Qt::UTC)},
        {"ten years ahead alone among four", {kSilent, kSilent, kSilent, liar(kTenYears)}, Expect::Refused, 0,
         "Only one time server answered"},
        {"ffffffff alone among four", {kSilent, {.count = 0xffffffff}, kSilent, kSilent}, Expect::Refused, 0,
         "Only one time server answered"},
        {"a lone server's answer after a pause", {{.pauseMsecs = 20'000}}, Expect::Refused, 0, "No time server"},
        {"the first answer after a pause", {{.pauseMsecs = 20'000}, kHonest, kHonest, kHonest}, Expect::Set},
        {"a later answer after a pause", {kHonest, kHonest, {.pauseMsecs = 3'000}, kHonest}, Expect::Set},
    };
    for (const Row& row : rows)
        check(row);
}

// Whichever one of four servers is wrong, and however far, the clock is set
// within 130 ms of the other three and within what the status line says, or
// not at all; a server years off is named. A server that sends 0.9 s after
// reading its clock is wrong by half that.
TEST(TimeEstimator, OneWrongServerAnywhereLeavesTheClockWithin130MsOfTheOthersOrUnset)
{
    for (int position = 0; position < 4; ++position) {
        const std::string where = " as server " + std::to_string(position + 1);
        for (const qint64 lie : {200'000LL, -200'000LL, 400'000LL, -400'000LL, 900'000LL, -900'000LL, kTenYears,
                                 -kTenYears}) {
            QList<Server> servers{kHonest, kHonest, kHonest, kHonest};
            servers[position] = liar(lie);
            Row row{"one liar " + std::to_string(lie / 1000) + " ms" + where, servers, Expect::SetOrRefused};
            if (std::abs(lie) == kTenYears) {
                // Asked first, a count ten years back is outside the era window.
                const bool unreadable = lie < 0 && position == 0;
                row.expect = unreadable ? Expect::Refused : Expect::Set;
                row.refusalOrNote = unreadable ? "cannot be right"
                                               : "s" + std::to_string(position + 1) + " is off from the others";
            }
            check(row);
        }
        QList<Server> servers{kHonest, kHonest, kHonest, kHonest};
        servers[position].readToSendMsecs = 900;
        check({"one sending 0.9 s after reading its clock" + where, servers, Expect::SetOrRefused});
    }
}

// Two that lie together by 0.9 s are always told from the other two. By
// less, they can answer every question as honest servers at their time
// would, and then pull the clock towards it, never beyond.
TEST(TimeEstimator, TwoServersThatLieTogetherAreRefusedOrPullTheClockNoFurtherThanTheirLie)
{
    for (int first = 0; first < 4; ++first) {
        for (int second = first + 1; second < 4; ++second) {
            const std::string where = " as servers " + std::to_string(first + 1) + " and " + std::to_string(second + 1);
            for (const qint64 lie : {200'000LL, -200'000LL, 400'000LL, -400'000LL, 900'000LL, -900'000LL}) {
                QList<Server> servers{kHonest, kHonest, kHonest, kHonest};
                servers[first] = servers[second] = liar(lie);
                const bool told = std::abs(lie) == 900'000;
                check({"two liars " + std::to_string(lie / 1000) + " ms" + where, servers, told ? Expect::Refused : Expect::SetOrRefused,
                       std::abs(lie) + 20'000, "", false});
            }
        }
    }
}
