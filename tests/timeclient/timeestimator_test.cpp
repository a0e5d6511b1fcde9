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
            if (const auto first = ask(entry, TimeProtocol::kAnswerLimitMsecs))
                return estimator.estimate(*first, entry, tried);
            tried << entry;
        }
        return {};
    }

    MockClock clock;
    QMap<QString, QList<qint64>> questions;

private:
    QMap<QString, Server> m_servers;
};

Server liar(qint64 lieUsec) { return {.offsetUsec = kHonestUsec + lieUsec}; }

enum class Expect { Set, SetOrDisagree, Refused };

struct Row
{
    const char* name;
    QList<Server> servers;
    Expect expect;
    // How far from the honest servers' time the clock may be set.
    qint64 toleranceUsec = 130'000;
    const char* refusalOrNote = "";
    QDateTime start = kNow;
};

// Each row at 17 phases of the second: no server is asked more than twice or
// twice within 4 s, and the outcome is the row's; with honest servers only,
// within the uncertainty said.
void check(const Row& row, bool allHonest)
{
    for (int phase = 0; phase < 1000; phase += 61) {
        FakeNetwork network(row.start.addMSecs(phase), row.servers);
        const UpdateEstimate estimate = network.update();
        const std::string name = std::string(row.name) + " at phase " + std::to_string(phase) + " ms";
        for (const QList<qint64>& moments : network.questions) {
            ASSERT_LE(moments.size(), 2) << name;
            EXPECT_GE(moments.last() - moments.first(), moments.size() == 2 ? TimeEstimator::kSameServerMsecs : 0)
                << name;
        }
        QString said = estimate.refusal.shown();
        for (const LocalizedText& note : estimate.notes)
            said += u' ' + note.shown();
        if (!estimate.adjustmentUsec) {
            EXPECT_NE(row.expect, Expect::Set) << name << ": " << qPrintable(said);
            EXPECT_TRUE(said.contains(row.expect == Expect::Refused ? row.refusalOrNote : "disagree")) << name << ": "
                                                                                               << qPrintable(said);
            continue;
        }
        const qint64 error = std::abs(*estimate.adjustmentUsec - kHonestUsec);
        EXPECT_NE(row.expect, Expect::Refused) << name << " set " << *estimate.adjustmentUsec;
        EXPECT_LE(error, allHonest ? std::min(row.toleranceUsec, estimate.uncertaintyUsec + 2000) : row.toleranceUsec)
            << name;
        EXPECT_TRUE(said.contains(row.refusalOrNote)) << name << ": " << qPrintable(said);
    }
}

const Server kHonest;
const Server kSilent{.silent = true};

} // namespace

TEST(TimeEstimator, HonestServersNarrowTheOffsetToMillisecondsAndNoLieNorPauseSetsTheClockFarFromThem)
{
    const Server far{.oneWayMsecs = 300};
    const Row honest[] = {
        {"four honest servers", {kHonest, kHonest, kHonest, kHonest}, Expect::Set, 20'000},
        {"four honest servers 300 ms away each way", {far, far, far, far}, Expect::Set, 20'000},
        {"three honest servers", {kHonest, kHonest, kHonest}, Expect::Set, 70'000},
        {"a silent one left out", {kHonest, kSilent, kHonest, kHonest}, Expect::Set},
        {"four sending 0 at the roll-over of 2036", {kHonest, kHonest, kHonest, kHonest}, Expect::Set, 20'000, "",
         QDateTime(QDate(2036, 2, 7), QTime(6, 28, 9), Qt::UTC)},
    };
    for (const Row& row : honest)
        check(row, true);
    constexpr qint64 tenYears = 315'360'000'000'000;
    const Row rows[] = {
        {"ten years ahead alone among four", {kSilent, kSilent, kSilent, liar(tenYears)}, Expect::Refused, 0,
         "Only one time server answered"},
        {"ffffffff alone among four", {kSilent, {.count = 0xffffffff}, kSilent, kSilent}, Expect::Refused, 0,
         "Only one time server answered"},
        {"one liar ten years ahead asked first", {liar(tenYears), kHonest, kHonest, kHonest}, Expect::Set, 130'000,
         "s1 is off from the others"},
        {"a lone server's answer after a pause", {{.pauseMsecs = 20'000}}, Expect::Refused, 0, "No time server"},
        {"the first answer after a pause", {{.pauseMsecs = 20'000}, kHonest, kHonest, kHonest}, Expect::Set},
        {"a later answer after a pause", {kHonest, kHonest, {.pauseMsecs = 3'000}, kHonest}, Expect::Set},
        {"one sending 0.9 s after reading its clock", {{.readToSendMsecs = 900}, kHonest, kHonest, kHonest},
         Expect::SetOrDisagree},
        {"two colluders 0.9 s ahead asked first", {liar(900'000), liar(900'000), kHonest, kHonest}, Expect::Refused, 0,
         "The time servers disagree"},
        {"two colluders 0.9 s behind asked last", {kHonest, kHonest, liar(-900'000), liar(-900'000)}, Expect::Refused,
         0, "The time servers disagree"},
        {"two colluders 0.4 s ahead asked first, unseen at some phases, pull by less than their lie", {liar(400'000), liar(400'000), kHonest, kHonest},
         Expect::SetOrDisagree, 400'000},
        {"two colluders 0.4 s behind asked last, unseen at some phases, pull by less than their lie", {kHonest, kHonest, liar(-400'000), liar(-400'000)},
         Expect::SetOrDisagree, 400'000},
    };
    for (const Row& row : rows)
        check(row, false);
    for (const qint64 lie : {400'000, -400'000, 900'000, -900'000}) {
        check({"one liar asked first", {liar(lie), kHonest, kHonest, kHonest}, Expect::SetOrDisagree}, false);
        check({"one liar asked last", {kHonest, kHonest, kHonest, liar(lie)}, Expect::SetOrDisagree}, false);
    }
}
