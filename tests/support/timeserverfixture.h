#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <atomic>
#include <thread>

// A small RFC 868 server on loopback, serving one connection at a time on its
// own thread so it answers while the client under test blocks.
class TimeServerFixture
{
public:
    // Sends `answer` and holds the connection; an empty answer closes at once;
    // a silent server accepts and never sends.
    explicit TimeServerFixture(QByteArray answer, bool silent = false);
    ~TimeServerFixture();
    TimeServerFixture(const TimeServerFixture&) = delete;
    TimeServerFixture& operator=(const TimeServerFixture&) = delete;

    // "address:port", the form of a server cycle entry.
    QString entry() const;
    quint16 port() const { return m_port; }
    int connections() const { return m_connections; }

    // The 4 bytes that tell `utc` (seconds since 1900, big-endian).
    static QByteArray answerFor(const QDateTime& utc);
    // "127.0.0.1:<port>" where nothing listens, so connecting is refused.
    static QString refusedEntry();
    // xinetd's time service from scripts/services.sh; empty when not started
    // (a failure under CI, where it must run).
    static QString xinetdEntry();

private:
    void serve();
    // Waits for `fd` to become readable; false when the fixture stops first.
    bool waitReadable(int fd);

    QByteArray m_answer;
    bool m_silent;
    int m_listener = -1;
    int m_wake[2] = {-1, -1};
    quint16 m_port = 0;
    std::atomic<int> m_connections{0};
    std::thread m_thread;
};
