// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTcpServer>
#include <QThread>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

// A small RFC 868 server on loopback with its own thread and event loop, so it
// answers while the client under test blocks; it also plays the faulty servers.
class TimeServerFixture
{
public:
    // Sends `answer` and holds each connection until the client closes it; an
    // empty answer closes at once; a silent server accepts and never sends.
    explicit TimeServerFixture(const QByteArray& answer, bool silent = false,
                               const QHostAddress& loopback = QHostAddress::LocalHost);
    // Answers with the whole seconds of the injected clock (Clock::instance())
    // plus `offset` at the moment of each connection: a server whose true
    // time is known.
    static std::unique_ptr<TimeServerFixture> followingClock(std::chrono::milliseconds offset);
    // Answers with the whole seconds of `now()` at each connection: a server
    // whose clock runs as the test says (called on the server's thread).
    static std::unique_ptr<TimeServerFixture> telling(const std::function<QDateTime()>& now);
    // For what a Qt socket cannot do (a reset, a trickle): `serve` gets each
    // accepted connection's plain socket on the server's thread and closes it.
    explicit TimeServerFixture(const std::function<void(int)>& serve);
    // Accepts nothing: its full accept queue makes the kernel drop new
    // connection requests, as a black-holed address does.
    static std::unique_ptr<TimeServerFixture> blackHole();
    ~TimeServerFixture();
    TimeServerFixture(const TimeServerFixture&) = delete;
    TimeServerFixture& operator=(const TimeServerFixture&) = delete;

    // "address:port" or "[IPv6 address]:port", the form of a server cycle entry.
    QString entry() const { return m_entry; }
    int connections() const { return m_connections; }

    // A small web page, for a server that stands in for a web site.
    static constexpr const char* kHttpPage = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
    // The 4 bytes that tell `utc` (seconds since 1900, big-endian).
    static QByteArray answerFor(const QDateTime& utc);
    // "127.0.0.1:<port>" where nothing listens, so connecting is refused.
    static QString refusedEntry();
    // xinetd's time service from scripts/services.sh; empty when not started
    // (a failure under CI, where it must run).
    static QString xinetdEntry();

private:
    TimeServerFixture(const std::function<QByteArray()>& answer, bool silent, const QHostAddress& loopback,
                      const std::function<void(int)>& serve = {}, bool accepting = true);

    QThread m_thread;
    QTcpServer* m_server = nullptr; // lives in m_thread
    QList<int> m_fillers; // the connections that fill a black hole's queue
    quint16 m_port = 0;
    QString m_entry;
    std::atomic<int> m_connections{0};
};
