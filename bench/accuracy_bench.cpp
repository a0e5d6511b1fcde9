// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How far from the servers' clock Korvel would set this PC's clock, next to
// a single answer's aim (the middle of its second) and to `rdate -p`. Four
// loopback servers answer after a one-way delay each way and run a known
// offset ahead of this machine's clock, so the true offset is known. An
// update runs as the window runs it: GetTime, then from its Done handler the
// estimate, then the clock-setting call to systemd-timedated, here played by
// dbusmock's timedated on a private system bus (bench/run.py starts it),
// which changes no clock; the figure is the adjustment that call carried, as
// the mock logged it, less the true offset, next to how close the status
// line says it is. Each run starts at another phase of the servers' second.
// The servers count the questions each update asks them and the shortest
// time between two.
//   accuracy_bench [RUNS] [DELAY_MS]
#include "benchfigures.h"
#include "clockset/timedatedclocksetter.h"
#include "loopbacktimeserver.h"
#include "timeclient/korvelcontrol.h"
#include "timeclient/servercycle.h"
#include "timeclient/timeestimator.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <thread>

namespace {
// Whole and fractional seconds, so neither lines up with this machine's second.
constexpr qint64 kServerOffsetUsec = 1'000'000'000 + 437'000;
constexpr int kServers = 4;

QDBusMessage mockCall(const char* method, const QVariantList& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
        QStringLiteral("org.freedesktop.DBus.Mock"), QLatin1String(method));
    call.setArguments(arguments);
    return QDBusConnection::systemBus().call(call);
}

// The adjustment of the last SetTime call the mock received.
std::optional<qint64> lastSetTimeUsec()
{
    const QDBusMessage reply = mockCall("GetMethodCalls", {QStringLiteral("SetTime")});
    if (reply.type() != QDBusMessage::ReplyMessage)
        return std::nullopt;
    const QDBusArgument calls = reply.arguments().at(0).value<QDBusArgument>();
    std::optional<qint64> last;
    calls.beginArray();
    while (!calls.atEnd()) {
        quint64 stamp = 0;
        QVariantList arguments;
        calls.beginStructure();
        calls >> stamp >> arguments;
        calls.endStructure();
        // QtDBus hands the variants' values over unwrapped.
        if (!arguments.isEmpty())
            last = arguments.first().toLongLong();
    }
    calls.endArray();
    return last;
}

struct UpdateFigures
{
    double korvelMsecs = 0;  // the adjustment timedated received, less the true offset
    double singleMsecs = 0;  // the first answer alone, aimed at the middle of its second
    double addedMsecs = 0;   // the estimate's time on top of the first answer
    double saidMsecs = 0;    // how close the status line says the clock now is
};

// How the update treated the servers: the most questions one got, and the
// shortest time between two questions to one server.
struct Etiquette
{
    int mostQuestions = 0;
    double shortestGapMsecs = std::numeric_limits<double>::max();

    void add(const LoopbackTimeServer& server)
    {
        mostQuestions = std::max(mostQuestions, server.questions());
        if (server.questions() > 1)
            shortestGapMsecs = std::min(shortestGapMsecs, double(server.shortestGapUsec()) / 1000.0);
    }
};

// One update, as the window's Done handler runs it.
std::optional<UpdateFigures> update(const QString& firstServer)
{
    KorvelControl control;
    control.setHost(firstServer);
    std::optional<UpdateFigures> figures;
    QObject::connect(&control, &KorvelControl::Done, &control, [&] {
        const TimeReceipt receipt = control.lastReceipt();
        QElapsedTimer elapsed;
        elapsed.start();
        const UpdateEstimate estimate = TimeEstimator(control.serverCycle()).estimate(receipt, control.host());
        const double added = double(elapsed.nsecsElapsed()) / 1e6;
        if (!estimate.adjustmentUsec
            || !TimedatedClockSetter(QDBusConnection::systemBus()).adjust(*estimate.adjustmentUsec).ok())
            return;
        const auto sent = lastSetTimeUsec();
        if (!sent)
            return;
        // Without other servers to ask, the estimate is the first answer's second.
        const qint64 single = *TimeEstimator(QStringList()).estimate(receipt, control.host()).adjustmentUsec;
        figures = UpdateFigures{double(*sent - kServerOffsetUsec) / 1000.0,
                                double(single - kServerOffsetUsec) / 1000.0, added,
                                double(estimate.uncertaintyUsec) / 1000.0};
    });
    control.GetTime();
    return figures;
}

// rdate's error in ms: the time it printed less the server's clock when the
// answer arrived. It prints local time to the second, with or without the
// zone's name ("Sun Dec  6 18:20:11 UTC 2026").
std::optional<double> rdateErrorMsecs(const LoopbackTimeServer& server)
{
    QProcess rdate;
    rdate.start(QStringLiteral("rdate"), {"-p", "-o", QString::number(server.port()), "127.0.0.1"});
    if (!rdate.waitForFinished(10'000) || rdate.exitCode() != 0)
        return std::nullopt;
    static const QRegularExpression printed(QStringLiteral(R"(\w{3} (\w{3}) +(\d+) (\d\d:\d\d:\d\d) (?:\S+ )?(\d{4}))"));
    const QRegularExpressionMatch match = printed.match(QString::fromLocal8Bit(rdate.readAllStandardOutput()));
    if (!match.hasMatch())
        return std::nullopt;
    const QString text = match.captured(1) + ' ' + match.captured(2) + ' ' + match.captured(3) + ' '
        + match.captured(4);
    const QDateTime reported = QLocale::c().toDateTime(text, QStringLiteral("MMM d HH:mm:ss yyyy"));
    if (!reported.isValid())
        return std::nullopt;
    const qint64 trueUsec = server.lastSentUsec() + server.offsetUsec();
    return double(reported.toMSecsSinceEpoch() * 1000 - trueUsec) / 1000.0;
}

// Waits until the servers' clock stands at `phase` (0 to 1) of its second.
void waitForPhase(double phase)
{
    const qint64 within = (LoopbackTimeServer::utcNowUsec() + kServerOffsetUsec) % 1'000'000;
    const qint64 target = qint64(phase * 1'000'000);
    std::this_thread::sleep_for(std::chrono::microseconds((target - within + 1'000'000) % 1'000'000));
}

QJsonObject summary(const std::vector<double>& errors, int runs)
{
    std::vector<double> absolute;
    for (const double error : errors)
        absolute.push_back(std::abs(error));
    return {{"median_ms", BenchFigures::median(errors)},
            {"median_abs_ms", BenchFigures::median(absolute)},
            {"max_abs_ms", BenchFigures::largestAbsolute(errors)},
            {"answered", int(errors.size())},
            {"runs", runs}};
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
    const std::chrono::milliseconds delay(argc > 2 ? std::max(0, atoi(argv[2])) : 300);
    std::vector<std::unique_ptr<LoopbackTimeServer>> servers;
    QStringList cycle;
    for (int i = 0; i < kServers; ++i) {
        servers.push_back(std::make_unique<LoopbackTimeServer>(delay, kServerOffsetUsec));
        cycle << QStringLiteral("127.0.0.1:%1").arg(servers.back()->port());
    }
    qputenv(ServerCycle::kEnvironmentVariable, cycle.join(u',').toUtf8());
    if (mockCall("ClearCalls", {}).type() != QDBusMessage::ReplyMessage) {
        fprintf(stderr, "accuracy_bench: no timedated mock on the system bus\n");
        return 1;
    }

    std::vector<double> korvel;
    std::vector<double> single;
    std::vector<double> added;
    std::vector<double> said;
    std::vector<double> rdate;
    Etiquette etiquette;
    for (int i = 0; i < runs; ++i) {
        // Phases spread evenly whatever the number of runs (steps of the
        // golden ratio), never in step with the eighths an estimate ends on.
        const double phase = std::fmod(0.5 + 0.6180339887 * i, 1.0);
        // The first answer's server reads its clock one delay after the question.
        waitForPhase(phase - double(delay.count()) / 1000.0 + 1.0);
        for (const auto& server : servers)
            server->resetQuestions();
        const auto figures = update(cycle.first());
        for (const auto& server : servers)
            etiquette.add(*server);
        if (figures) {
            korvel.push_back(figures->korvelMsecs);
            single.push_back(figures->singleMsecs);
            added.push_back(figures->addedMsecs);
            said.push_back(figures->saidMsecs);
        }
        waitForPhase(phase);
        if (const auto error = rdateErrorMsecs(*servers.front()))
            rdate.push_back(*error);
    }
    BenchFigures::print({{"delay_ms", int(delay.count())},
                         {"korvel", summary(korvel, runs)},
                         {"single", summary(single, runs)},
                         {"rdate", summary(rdate, runs)},
                         {"added_median_ms", BenchFigures::median(added)},
                         {"added_max_ms", added.empty() ? 0.0 : *std::max_element(added.begin(), added.end())},
                         {"said_median_ms", BenchFigures::median(said)},
                         {"said_max_ms", said.empty() ? 0.0 : *std::max_element(said.begin(), said.end())},
                         {"most_questions", etiquette.mostQuestions},
                         {"shortest_gap_ms", etiquette.shortestGapMsecs}});
    return korvel.size() == size_t(runs) && rdate.size() == size_t(runs) ? 0 : 1;
}
