// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/mockclock.h"
#include "timeclient/timeestimator.h"
#include "timeclient/timeprotocol.h"

#include <QMap>

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
    std::optional<quint32> count; // sent whatever its clock says
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
    QStringList cycle() const { return m_servers.keys(); }

    std::optional<TimeReceipt> ask(const QString& entry, int limitMsecs)
    {
        Server& server = m_servers[entry];
        questions[entry] << clock.monotonicMsecs();
        // The update's end: the last question's limit, less the time the process stood still.
        endMsecs = std::max(endMsecs, clock.monotonicMsecs() + limitMsecs - stoppedMsecs - server.pauseMsecs);
        stoppedMsecs += server.pauseMsecs;
        if (server.silent) {
            clock.advanceMsecs(limitMsecs);
            return std::nullopt;
        }
        TimeReceipt receipt;
        receipt.askedMonotonicMsecs = clock.monotonicMsecs();
        // Connected at once, as on loopback; the path's delay is the server's to play.
        receipt.connectedMonotonicMsecs = clock.monotonicMsecs();
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
            cycle(), kBuilt, [this](const QString& entry, int limit) { return ask(entry, limit); },
            [this](qint64 moment) { wait(moment); });
        QStringList tried;
        for (const QString& entry : cycle()) {
            if (const auto first = ask(entry, TimeProtocol::kAnswerLimitMsecs)) {
                updateStartMsecs = first->askedMonotonicMsecs;
                return estimator.estimate(*first, entry, tried);
            }
            tried << entry;
        }
        return {};
    }

    MockClock clock;
    QMap<QString, QList<qint64>> questions;
    // The first answered question; the update's time leaves out the time the process stood still.
    qint64 updateStartMsecs = 0;
    qint64 endMsecs = 0;
    qint64 stoppedMsecs = 0;

private:
    QMap<QString, Server> m_servers;
};

Server liar(qint64 lieUsec)
{
    Server server;
    server.offsetUsec += lieUsec;
    return server;
}

Server with(int Server::*field, int value)
{
    Server server;
    server.*field = value;
    return server;
}

Server silent()
{
    Server server;
    server.silent = true;
    return server;
}

Server sending(quint32 count)
{
    Server server;
    server.count = count;
    return server;
}

// Each server asked at most twice and never twice within 4 s, the update over within 10 s.
void expectEtiquette(const FakeNetwork& network, const std::string& row)
{
    for (const QList<qint64>& moments : network.questions) {
        ASSERT_LE(moments.size(), 2) << row;
        if (moments.size() == 2) {
            EXPECT_GE(moments[1] - moments[0], TimeEstimator::kSameServerMsecs) << row;
        }
    }
    EXPECT_LE(network.endMsecs - network.updateStartMsecs, TimeEstimator::kUpdateMsecs) << row;
}

struct Row
{
    const char* name;
    QList<Server> servers;
    // Largest distance from the honest servers' time when the clock is set;
    // nothing: the update must be refused.
    std::optional<qint64> toleranceUsec;
    // Part of the status line when refused, or of a note when set; empty: nothing to say.
    const char* says = "";
    // Whether the uncertainty the estimate claims must hold: a liar that
    // agrees with the others can narrow it past the truth.
    bool allHonest = false;
    // Whether refusing is right too: when one honest server agrees with the
    // odd one out, no count of servers can say which side is right.
    bool mayRefuse = false;
};

void check(const Row& row, int phaseMsecs, const QDateTime& start = kNow)
{
    FakeNetwork network(start.addMSecs(phaseMsecs), row.servers);
    const UpdateEstimate estimate = network.update();
    const std::string name = std::string(row.name) + " at phase " + std::to_string(phaseMsecs) + " ms";
    expectEtiquette(network, name);
    if (row.mayRefuse && !estimate.adjustmentUsec) {
        EXPECT_TRUE(estimate.refusal.contains(QLatin1String("disagree"))) << name << ": " << qPrintable(estimate.refusal);
        return;
    }
    if (!row.toleranceUsec) {
        EXPECT_FALSE(estimate.adjustmentUsec.has_value()) << name << " set " << *estimate.adjustmentUsec;
        EXPECT_TRUE(estimate.refusal.contains(QLatin1String(row.says))) << name << ": " << qPrintable(estimate.refusal);
        return;
    }
    ASSERT_TRUE(estimate.adjustmentUsec.has_value()) << name << ": " << qPrintable(estimate.refusal);
    EXPECT_NEAR(double(*estimate.adjustmentUsec), double(kHonestUsec), double(*row.toleranceUsec)) << name;
    if (row.allHonest) {
        EXPECT_LE(std::abs(*estimate.adjustmentUsec - kHonestUsec), estimate.uncertaintyUsec + 2000) << name;
    }
    EXPECT_TRUE(estimate.notes.join(u'\n').contains(QLatin1String(row.says))) << name;
}

constexpr qint64 k10ms = 10'000;
constexpr qint64 k130ms = 130'000;
const Server kHonest;
const Server kFar = with(&Server::oneWayMsecs, 300);

} // namespace

TEST(TimeEstimator, HonestServersNarrowTheOffsetToAFewMillisecondsAtEveryPhase)
{
    const Row rows[] = {
        {"four honest servers", {kHonest, kHonest, kHonest, kHonest}, 2 * k10ms, "", true},
        {"four honest servers 300 ms away each way", {kFar, kFar, kFar, kFar}, 2 * k10ms, "", true},
        {"three honest servers", {kHonest, kHonest, kHonest}, 7 * k10ms, "", true},
        {"one server", {kHonest}, 510'000, "", true},
        {"a silent one left out", {kHonest, silent(), kHonest, kHonest}, k130ms, "", true},
    };
    for (const Row& row : rows) {
        for (int phase = 0; phase < 1000; phase += 61)
            check(row, phase);
    }
}

TEST(TimeEstimator, NoLieNorPauseSetsTheClockFarFromTheHonestServers)
{
    const Row rows[] = {
        {"ten years ahead alone among four", {silent(), silent(), silent(),
                                              liar(315'360'000'000'000)}, {}, "Only one time server answered"},
        {"ffffffff alone among four", {silent(), sending(0xffffffff), silent(), silent()},
         {}, "Only one time server answered"},
        {"a lone server's answer after a pause", {with(&Server::pauseMsecs, 20'000)}, {}, "No time server answered"},
        {"the first answer after a pause", {with(&Server::pauseMsecs, 20'000), kHonest, kHonest, kHonest}, k130ms},
        {"a later answer after a pause", {kHonest, kHonest, with(&Server::pauseMsecs, 3'000), kHonest}, k130ms},
        {"a server that sends 0.9 s after reading its clock", {with(&Server::readToSendMsecs, 900), kHonest, kHonest, kHonest},
         k130ms, "", false, true},
        {"one liar 0.4 s ahead asked first", {liar(400'000), kHonest, kHonest, kHonest}, k130ms, "", false, true},
        {"one liar 0.4 s behind asked first", {liar(-400'000), kHonest, kHonest, kHonest}, k130ms, "", false, true},
        {"one liar 0.9 s ahead asked first", {liar(900'000), kHonest, kHonest, kHonest}, k130ms, "", false, true},
        {"one liar 0.9 s behind asked first", {liar(-900'000), kHonest, kHonest, kHonest}, k130ms, "", false, true},
        {"one liar 0.4 s ahead asked last", {kHonest, kHonest, kHonest, liar(400'000)}, k130ms, "", false, true},
        {"one liar 0.4 s behind asked last", {kHonest, kHonest, kHonest, liar(-400'000)}, k130ms, "", false, true},
        {"one liar 0.9 s ahead asked last", {kHonest, kHonest, kHonest, liar(900'000)}, k130ms, "", false, true},
        {"one liar 0.9 s behind asked last", {kHonest, kHonest, kHonest, liar(-900'000)}, k130ms, "", false, true},
        // Two that agree and lie by less than the second they share with the
        // honest two go unseen at some phases: they pull the clock, by less than their lie.
        {"two colluders 0.4 s ahead asked first", {liar(400'000), liar(400'000), kHonest, kHonest}, 400'000, "",
         false, true},
        {"two colluders 0.4 s behind asked last", {kHonest, kHonest, liar(-400'000), liar(-400'000)}, 400'000, "",
         false, true},
        {"one liar ten years ahead asked first", {liar(315'360'000'000'000), kHonest, kHonest, kHonest}, k130ms,
         "s1 is off from the others"},
        {"two colluders 0.9 s ahead asked first", {liar(900'000), liar(900'000), kHonest, kHonest}, {},
         "The time servers disagree"},
        {"two colluders 0.9 s behind asked last", {kHonest, kHonest, liar(-900'000), liar(-900'000)}, {},
         "The time servers disagree"},
    };
    for (const Row& row : rows) {
        for (int phase = 0; phase < 1000; phase += 61)
            check(row, phase);
    }
}

TEST(TimeEstimator, TheCountZeroIsTheRollOverOf2036)
{
    // The PC 7 s behind: the servers send 0 at 06:28:16 UTC on 7 February 2036.
    const QDateTime beforeRollOver(QDate(2036, 2, 7), QTime(6, 28, 9), Qt::UTC);
    for (int phase = 0; phase < 1000; phase += 125)
        check({"honest servers across the roll-over", {kHonest, kHonest, kHonest, kHonest}, 2 * k10ms}, phase,
              beforeRollOver);
}
