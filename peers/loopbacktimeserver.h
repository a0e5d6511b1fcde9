// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

// An RFC 868 server on loopback, on a thread of its own, so that it answers
// while the program that asks it blocks: an honest server whose clock is
// known at every moment, or one of the broken servers a client must survive
// (any bytes, silence, a reset, a trickle, a black hole).
class LoopbackTimeServer
{
public:
    enum class Loopback { IPv4, IPv6 };

    // An honest server: for each question it waits `delay`, reads the clock
    // (Clock::instance()) plus `offsetUsec`, waits `delay` again, sends the
    // whole seconds and closes: a path of known length both ways.
    LoopbackTimeServer(std::chrono::milliseconds delay, qint64 offsetUsec);
    // Sends `answer` and holds each connection until the client closes it;
    // an empty answer closes at once.
    explicit LoopbackTimeServer(const QByteArray& answer, Loopback address = Loopback::IPv4);
    // For what an answer cannot say (a reset, a trickle): `serve` gets each
    // accepted connection's socket on the server's thread and closes it.
    explicit LoopbackTimeServer(std::function<void(int connection)> serve);
    // An honest server without delays, `offset` ahead of the clock.
    static std::unique_ptr<LoopbackTimeServer> followingClock(std::chrono::milliseconds offset);
    // Answers with the whole seconds of `now()` at each connection: a server
    // whose clock runs as the test says (called on the server's thread).
    static std::unique_ptr<LoopbackTimeServer> telling(std::function<QDateTime()> now);
    // Accepts and never sends.
    static std::unique_ptr<LoopbackTimeServer> silent();
    // Accepts nothing: its full accept queue makes the kernel drop new
    // connection requests, as a black-holed address does.
    static std::unique_ptr<LoopbackTimeServer> blackHole();
    ~LoopbackTimeServer();
    LoopbackTimeServer(const LoopbackTimeServer&) = delete;
    LoopbackTimeServer& operator=(const LoopbackTimeServer&) = delete;

    quint16 port() const { return m_port; }
    // "address:port" or "[IPv6 address]:port", the form of a server cycle entry.
    QString entry() const;
    qint64 offsetUsec() const { return m_offsetUsec; }
    // This machine's UTC clock (microseconds since the Unix epoch) when the
    // last answer left; over loopback, also when it arrived.
    qint64 lastSentUsec() const { return m_lastSentUsec.load(); }

    // Questions (connections) since the start or the last reset, and the
    // shortest time between two of them.
    int questions() const { return m_questions.load(); }
    qint64 shortestGapUsec() const { return m_shortestGapUsec.load(); }
    void resetQuestions();

    // A small web page, for a server that stands in for a web site.
    static constexpr const char* kHttpPage = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
    // The 4 bytes that tell `utc` (seconds since 1900, big-endian).
    static QByteArray answerFor(const QDateTime& utc);
    // A loopback port nothing listens on, so connecting is refused; and its entry.
    static quint16 refusingPort();
    static QString refusedEntry();
    // A connect to 127.0.0.1:port and, when it is accepted, one read of an
    // answer: the bare socket work a query rests on.
    static void bareExchange(quint16 port);
    // This machine's UTC clock in microseconds since the Unix epoch.
    static qint64 utcNowUsec();

private:
    struct Behaviour
    {
        std::function<QByteArray()> answer; // none: silent
        std::function<void(int)> serve;
        std::chrono::milliseconds delay{0};
        bool holds = true; // keeps the connection until the client closes
        bool accepts = true;
        Loopback address = Loopback::IPv4;
    };
    explicit LoopbackTimeServer(Behaviour behaviour, qint64 offsetUsec = 0);
    void run();
    void count();
    // Answers one connection; true when the server holds it open.
    bool answer(int connection);

    const Behaviour m_behaviour;
    const qint64 m_offsetUsec;
    int m_listener = -1;
    quint16 m_port = 0;
    std::vector<int> m_fillers; // the connections that fill a black hole's queue
    std::atomic<qint64> m_lastSentUsec{0};
    std::atomic<int> m_questions{0};
    std::atomic<qint64> m_lastQuestionUsec{0};
    std::atomic<qint64> m_shortestGapUsec{0};
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};
