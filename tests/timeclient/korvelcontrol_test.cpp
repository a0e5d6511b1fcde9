// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "loopbacktimeserver.h"
#include "support/mockclock.h"
#include "timeclient/datevariant.h"
#include "timeclient/korvelcontrol.h"
#include "timeclient/servercycle.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>

#include <sys/socket.h>
#include <unistd.h>

namespace {
const QDateTime kAnswered(QDate(2026, 12, 5), QTime(22, 29, 41), Qt::UTC);
const QStringList kOneFailure{"1 Can't Get Time"};

// What one control raised, in order: "Done" or "<number> <text>".
struct Events
{
    explicit Events(KorvelControl& control)
    {
        QObject::connect(&control, &KorvelControl::Done, &control, [this] { raised.append("Done"); });
        QObject::connect(&control, &KorvelControl::Error, &control,
                         [this](QString& text, int& number) { raised.append(QString::number(number) + ' ' + text); });
    }
    QStringList raised;
};

// Makes `entries` the server cycle and starts a control at its first entry.
std::unique_ptr<KorvelControl> controlWithCycle(const QStringList& entries)
{
    qputenv(ServerCycle::kEnvironmentVariable, entries.join(u',').toUtf8());
    auto control = std::make_unique<KorvelControl>();
    qunsetenv(ServerCycle::kEnvironmentVariable);
    return control;
}
} // namespace

TEST(KorvelControlQuery, FourBytesGiveTheTimeMovedOnByTheLagOnceTheConnectionIsClosed)
{
    // The server waits for the client to close after its answer.
    std::atomic<bool> closed = false;
    LoopbackTimeServer server([&closed](int connection) {
        const QByteArray bytes = LoopbackTimeServer::answerFor(kAnswered);
        char after = 0;
        const timeval patience{3, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
        ::send(connection, bytes.constData(), bytes.size(), MSG_NOSIGNAL);
        closed = ::recv(connection, &after, 1, 0) == 0;
        ::close(connection);
    });
    KorvelControl control;
    control.setHost(server.entry());
    Events events(control);
    // Whoever handles Done (and sets the clock after it) holds no server's connection open.
    QObject::connect(&control, &KorvelControl::Done, &control, [&closed] {
        const QDeadlineTimer deadline(2000);
        while (!closed && !deadline.hasExpired())
            QThread::msleep(10);
        EXPECT_TRUE(closed);
    });
    const std::optional<KorvelControl::Answer> answer = control.GetTime();
    ASSERT_TRUE(answer);
    EXPECT_EQ(events.raised, QStringList{"Done"});
    const qint64 lagMsecs = kAnswered.msecsTo(control.GMTTime().toDateTime());
    EXPECT_NEAR(control.LagTime().toDouble(), lagMsecs / 1000.0, 0.002);
    // The process runs in New York's zone: five hours behind in December.
    EXPECT_EQ(control.LocalTime().toDateTime(), control.GMTTime().toDateTime().addSecs(-5 * 3600));
    EXPECT_DOUBLE_EQ(answer->localSerial, *DateVariant::toSerial(control.LocalTime()));
    EXPECT_EQ(answer->lagText, control.LagTime());
    EXPECT_EQ(answer->askedHosts, QStringList{server.entry()});
}

TEST(KorvelControlQuery, AnythingButFourBytesFailsFourAttemptsOnAHostOutsideTheCycle)
{
    // No bytes is a server that closes at once; a silent one keeps each attempt until the time-out.
    for (const auto& [bytes, silent] : {std::pair{0, false}, {2, false}, {5, false}, {4106, false}, {0, true}}) {
        SCOPED_TRACE(testing::Message() << bytes << " bytes" << (silent ? ", silent" : ""));
        const auto server = silent ? LoopbackTimeServer::silent()
                                   : std::make_unique<LoopbackTimeServer>(QByteArray(bytes, '\x01'));
        KorvelControl control;
        control.setHost(server->entry());
        Events events(control);
        EXPECT_FALSE(control.GetTime());
        EXPECT_EQ(server->questions(), KorvelControl::kAttempts);
        EXPECT_EQ(events.raised, kOneFailure);
        EXPECT_EQ(control.host(), server->entry());
        EXPECT_FALSE(DateVariant::isDateValue(control.GMTTime()));
        EXPECT_TRUE(control.LagTime().isEmpty());
    }
}

TEST(KorvelControlQuery, EachRefusedQueryTriesTheWholeCycleOnce)
{
    QStringList cycle;
    for (int i = 0; i < 4; ++i)
        cycle.append(LoopbackTimeServer::refusedEntry());
    auto control = controlWithCycle(cycle);
    ASSERT_EQ(control->host(), cycle.first());
    Events events(*control);
    QStringList tried;
    QObject::connect(control.get(), &KorvelControl::hostChanged, control.get(), [&] { tried.append(control->host()); });
    const QStringList oneRound{cycle[1], cycle[2], cycle[3], cycle[0]};
    EXPECT_FALSE(control->GetTime());
    EXPECT_FALSE(control->GetTime());
    EXPECT_EQ(tried, oneRound + oneRound);
    EXPECT_EQ(events.raised, kOneFailure + kOneFailure);
}

TEST(KorvelControlQuery, SlowRoundTripCapsTheLagAtOneSecond)
{
    MockClock clock(kAnswered);
    LoopbackTimeServer server(LoopbackTimeServer::answerFor(kAnswered));
    KorvelControl control;
    control.setHost(server.entry());
    // Runs while the query waits, after the round trip's start was taken.
    QTimer::singleShot(0, &control, [&clock] { clock.advanceMsecs(5000); });
    EXPECT_TRUE(control.GetTime());
    EXPECT_EQ(control.LagTime(), "1");
    EXPECT_EQ(control.GMTTime().toDateTime(), kAnswered.addSecs(1));
}
