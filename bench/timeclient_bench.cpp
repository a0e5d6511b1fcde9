// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How long one time query takes against a loopback RFC 868 server, from
// GetTime to Done, and how long moving through four servers that refuse
// takes until GetTime gives up; each next to the bare socket work it rests
// on (a connect and one read, four refused connects).
//   timeclient_bench [RUNS]
#include "benchfigures.h"
#include "loopbacktimeserver.h"
#include "timeclient/korvelcontrol.h"

#include <QCoreApplication>

#include <algorithm>


namespace {

double msecsSince(qint64 startUsec)
{
    return double(LoopbackTimeServer::utcNowUsec() - startUsec) / 1000.0;
}

// GetTime until Done (-1 without one): the query as the user waits for it.
double queryMsecs(const LoopbackTimeServer& server)
{
    KorvelControl control;
    control.setHost(QStringLiteral("127.0.0.1:%1").arg(server.port()));
    double done = -1.0;
    const qint64 start = LoopbackTimeServer::utcNowUsec();
    QObject::connect(&control, &KorvelControl::Done, &control, [&done, start] { done = msecsSince(start); });
    control.GetTime();
    return done;
}

// GetTime until it gives up on a cycle of four refusing servers; -1 when
// one answered after all.
double failoverMsecs(const QString& firstServer)
{
    KorvelControl control;
    control.setHost(firstServer);
    const qint64 start = LoopbackTimeServer::utcNowUsec();
    const bool answered = control.GetTime().has_value();
    return answered ? -1.0 : msecsSince(start);
}

bool allMeasured(const std::vector<double>& msecs)
{
    return std::none_of(msecs.begin(), msecs.end(), [](double value) { return value < 0; });
}

QJsonObject compared(const std::vector<double>& measured, const std::vector<double>& reference)
{
    const double median = BenchFigures::median(measured);
    const double referenceMedian = BenchFigures::median(reference);
    return {{"median_ms", median}, {"reference_median_ms", referenceMedian}, {"runs", int(measured.size())}};
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    LoopbackTimeServer server(std::chrono::milliseconds(0), 0);

    // The cycle is read when a KorvelControl is made.
    QStringList refusing;
    std::vector<quint16> refusingPorts;
    for (int i = 0; i < KorvelControl::kAttempts; ++i) {
        refusingPorts.push_back(LoopbackTimeServer::refusingPort());
        refusing.append(QStringLiteral("127.0.0.1:%1").arg(refusingPorts.back()));
    }
    qputenv("KORVEL_TIME_SERVERS", refusing.join(',').toUtf8());

    std::vector<double> query, bareQuery, failover, bareFailover;
    for (int i = 0; i < runs; ++i) {
        query.push_back(queryMsecs(server));
        qint64 start = LoopbackTimeServer::utcNowUsec();
        LoopbackTimeServer::bareExchange(server.port());
        bareQuery.push_back(msecsSince(start));

        failover.push_back(failoverMsecs(refusing.constFirst()));
        start = LoopbackTimeServer::utcNowUsec();
        for (const quint16 port : refusingPorts)
            LoopbackTimeServer::bareExchange(port);
        bareFailover.push_back(msecsSince(start));
    }
    BenchFigures::print({{"query", compared(query, bareQuery)}, {"failover", compared(failover, bareFailover)}});
    return allMeasured(query) && allMeasured(failover) ? 0 : 1;
}
