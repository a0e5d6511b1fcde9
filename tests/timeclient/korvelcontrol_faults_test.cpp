// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "loopbacktimeserver.h"
#include "timeclient/korvelcontrol.h"
#include "timeclient/servercycle.h"

#include <QThread>

#include <functional>

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Each fault costs its own server one attempt; the next server of the cycle answers.
void expectTheNextServerAnswers(const QString& faulty)
{
    LoopbackTimeServer good(LoopbackTimeServer::answerFor(QDateTime::currentDateTimeUtc()));
    qputenv(ServerCycle::kEnvironmentVariable, (faulty + u',' + good.entry()).toUtf8());
    KorvelControl control;
    EXPECT_TRUE(control.GetTime());
    EXPECT_EQ(control.host(), good.entry());
    EXPECT_EQ(good.questions(), 1);
    qunsetenv(ServerCycle::kEnvironmentVariable);
}

} // namespace

// A reset connection, and a server that trickles a byte a second, which is no answer.
TEST(KorvelControlFaults, AResetOrATricklingServerFailsOnlyItsAttempt)
{
    const std::pair<const char*, std::function<void(int)>> faults[] = {
        {"reset", [](int connection) {
             const linger abort{1, 0}; // closing with no linger time sends a reset
             ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
             ::close(connection);
         }},
        {"trickling", [](int connection) {
             for (int i = 0; i < 4 && ::send(connection, "\x01", 1, MSG_NOSIGNAL) == 1; ++i)
                 QThread::sleep(1);
             ::close(connection);
         }},
    };
    for (const auto& [name, serve] : faults) {
        SCOPED_TRACE(name);
        const LoopbackTimeServer faulty(serve);
        expectTheNextServerAnswers(faulty.entry());
    }
}

TEST(KorvelControlFaults, UnknownNamesRepeatsAndIpv6ServersEachTakeOneAttemptAndASplitAnswerCounts)
{
    LoopbackTimeServer ipv6(QByteArray(2, '\x01'), LoopbackTimeServer::Loopback::IPv6);
    const QByteArray answer = LoopbackTimeServer::answerFor(QDateTime::currentDateTimeUtc());
    LoopbackTimeServer splitting([answer](int connection) {
        const int noDelay = 1;
        ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
        ::send(connection, answer.constData(), 2, MSG_NOSIGNAL);
        QThread::msleep(100);
        ::send(connection, answer.constData() + 2, 2, MSG_NOSIGNAL);
        ::close(connection);
    });
    const QString unknown = QStringLiteral("no-such-host.invalid");
    qputenv(ServerCycle::kEnvironmentVariable,
            QStringList{unknown, ipv6.entry(), unknown, splitting.entry()}.join(u',').toUtf8());
    KorvelControl control;
    qunsetenv(ServerCycle::kEnvironmentVariable);
    // The repeated name is dropped, so the third attempt reaches the last server.
    EXPECT_TRUE(control.GetTime());
    EXPECT_EQ(ipv6.questions(), 1);
    EXPECT_EQ(control.host(), splitting.entry());
}
