// How far from the server's clock Korvel would set this PC's clock over a
// slow path, next to `rdate -p` against the same server. The server answers
// after a one-way delay each way and runs a known offset ahead of this
// machine's clock, so the true server time is known at the moment of
// receipt. Nothing sets a clock: Korvel's figure is the adjustment it would
// apply, compared with that offset.
//   accuracy_bench [RUNS] [DELAY_MS]
#include "benchfigures.h"
#include "clockset/clockadjustment.h"
#include "loopbacktimeserver.h"
#include "timeclient/korvelcontrol.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProcess>
#include <QRegularExpression>

#include <optional>
#include <random>
#include <thread>

namespace {
// Whole and fractional seconds, so neither lines up with this machine's second.
constexpr qint64 kServerOffsetUsec = 1'000'000'000 + 437'000;

// Korvel's error in ms: where it would put the clock (the PC clock at receipt
// plus the adjustment) less the server's clock then (the PC clock plus the
// offset).
std::optional<double> korvelErrorMsecs(const LoopbackTimeServer& server)
{
    KorvelControl control;
    control.setHost(QStringLiteral("127.0.0.1:%1").arg(server.port()));
    if (!control.GetTime().isValid())
        return std::nullopt;
    const TimeReceipt receipt = control.lastReceipt();
    const qint64 adjustment =
        ClockAdjustment::adjustmentUsec(receipt.serverUtcMsecs, receipt.lagSeconds, receipt.receiptUtcMsecs);
    return double(adjustment - server.offsetUsec()) / 1000.0;
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

QJsonObject summary(const std::vector<double>& errors, int runs)
{
    return {{"median_ms", BenchFigures::median(errors)},
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
    LoopbackTimeServer server(delay, kServerOffsetUsec);

    // A fixed seed: the same phases in every run of the benchmark.
    std::mt19937 random(868);
    std::uniform_int_distribution<int> phaseMsecs(0, 999);
    std::vector<double> korvel;
    std::vector<double> rdate;
    for (int i = 0; i < runs; ++i) {
        // Lets the server's clock reading fall anywhere in its second.
        std::this_thread::sleep_for(std::chrono::milliseconds(phaseMsecs(random)));
        if (const auto error = korvelErrorMsecs(server))
            korvel.push_back(*error);
        std::this_thread::sleep_for(std::chrono::milliseconds(phaseMsecs(random)));
        if (const auto error = rdateErrorMsecs(server))
            rdate.push_back(*error);
    }
    BenchFigures::print({{"delay_ms", int(delay.count())},
                         {"korvel", summary(korvel, runs)},
                         {"rdate", summary(rdate, runs)}});
    return korvel.size() == size_t(runs) && rdate.size() == size_t(runs) ? 0 : 1;
}
