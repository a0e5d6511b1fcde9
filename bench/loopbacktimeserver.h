// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <thread>

// An RFC 868 server on 127.0.0.1 for the benchmarks, one connection at a
// time on a thread of its own. For each connection it waits `delay`, reads
// this machine's clock plus `offsetUsec`, waits `delay` again and sends the
// whole seconds: a slow path of known length both ways, and a server clock
// whose true value is known at every moment.
class LoopbackTimeServer
{
public:
    LoopbackTimeServer(std::chrono::milliseconds delay, qint64 offsetUsec);
    ~LoopbackTimeServer();
    LoopbackTimeServer(const LoopbackTimeServer&) = delete;
    LoopbackTimeServer& operator=(const LoopbackTimeServer&) = delete;

    quint16 port() const { return m_port; }
    qint64 offsetUsec() const { return m_offsetUsec; }
    // This machine's UTC clock (microseconds since the Unix epoch) when the
    // last answer left; over loopback, also when it arrived.
    qint64 lastSentUsec() const { return m_lastSentUsec.load(); }

    // Questions since the last reset, and the shortest time between two of them.
    int questions() const { return m_questions.load(); }
    qint64 shortestGapUsec() const { return m_shortestGapUsec.load(); }
    void resetQuestions();

    // A loopback port nothing listens on: connecting to it is refused.
    static quint16 refusingPort();
    // A connect to 127.0.0.1:port and, when it is accepted, one read of an
    // answer: the bare socket work a query rests on.
    static void bareExchange(quint16 port);
    // This machine's UTC clock in microseconds since the Unix epoch.
    static qint64 utcNowUsec();

private:
    void serve();
    void answer(int connection);

    const std::chrono::milliseconds m_delay;
    const qint64 m_offsetUsec;
    int m_listener = -1;
    quint16 m_port = 0;
    std::atomic<qint64> m_lastSentUsec{0};
    std::atomic<int> m_questions{0};
    std::atomic<qint64> m_lastQuestionUsec{0};
    std::atomic<qint64> m_shortestGapUsec{0};
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};
