// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How long an update takes from its start to the clock-setting call, against
// a loopback RFC 868 server and a connection that is up, next to the
// server's own round trip (a connect and one read): what the update adds.
//   update_bench [RUNS]
#include "benchfigures.h"
#include "clockset/clocksetter.h"
#include "clockset/networktimeswitch.h"
#include "loopbacktimeserver.h"
#include "net/connectionbackend.h"
#include "net/internetflags.h"
#include "options/optionstore.h"
#include "timeclient/clockadjustment.h"
#include "timeclient/korvelcontrol.h"
#include "unseenreport.h"
#include "update/clockupdate.h"
#include "update/dialupsession.h"

#include <QCoreApplication>
#include <QTemporaryDir>


namespace {

// A modem connection that is up: the system's word is taken, no site is opened.
class ModemUp : public ConnectionBackend
{
public:
    ConnectedState connectedState() override { return {NetResult::success(), InternetFlags::Modem, {}}; }
    NetResult dial(const QString&, qint32, quint32&) override { return NetResult::failure(); }
    NetResult hangUp(quint32) override { return NetResult::failure(); }
    NetResult autodial(qint32) override { return NetResult::failure(); }
    NetResult autodialHangup() override { return NetResult::failure(); }
    NetResult setGlobalOnline(bool) override { return NetResult::success(); }
    NetResult goOnline(const QString&) override { return NetResult::success(); }
    QStringList dialUpEntries() override { return {}; }
};

// Notes when it is asked to move the clock, and never moves it.
class ClockCall : public ClockSetter
{
public:
    qint64 calledUsec = -1;
    ClockSetOutcome adjust(qint64) override
    {
        calledUsec = LoopbackTimeServer::utcNowUsec();
        return {ClockSetOutcome::Kind::Set, {}};
    }
    QString name() const override { return QStringLiteral("bench"); }
};

double roundTripMsecs(quint16 port)
{
    const qint64 start = LoopbackTimeServer::utcNowUsec();
    LoopbackTimeServer::bareExchange(port);
    return double(LoopbackTimeServer::utcNowUsec() - start) / 1000.0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    LoopbackTimeServer server(std::chrono::milliseconds(0), 0);
    qputenv("KORVEL_TIME_SERVERS", QByteArray("127.0.0.1:") + QByteArray::number(server.port()));
    QTemporaryDir folder;
    OptionStore store(folder.filePath(QStringLiteral("Korvel.ini")));
    UnseenReport report;
    ClockCall clock;
    KorvelControl korvel;
    DialUpSession dialUp(std::make_shared<ModemUp>(), report);
    // No system bus: nothing says that network time keeps the clock.
    NetworkTimeSwitch networkTime{QDBusConnection(QStringLiteral("bench-without-bus"))};
    ClockUpdate update(korvel, clock, networkTime, dialUp, store, report, ClockAdjustment::buildDay());

    std::vector<double> toClockCall, roundTrip;
    for (int i = 0; i < runs; ++i) {
        const qint64 start = LoopbackTimeServer::utcNowUsec();
        update.run({ClockUpdate::AskedBy::Schedule, QStringLiteral("2"), 300, false, false, false, {}});
        if (clock.calledUsec < start)
            return 1;
        toClockCall.push_back(double(clock.calledUsec - start) / 1000.0);
        roundTrip.push_back(roundTripMsecs(server.port()));
    }
    BenchFigures::print({{"median_ms", BenchFigures::median(toClockCall)},
                         {"reference_median_ms", BenchFigures::median(roundTrip)},
                         {"runs", runs}});
    return 0;
}
