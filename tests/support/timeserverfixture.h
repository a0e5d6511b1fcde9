#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <atomic>
#include <thread>

// A small RFC 868 server on loopback for tests, serving one connection at a
// time on its own thread so it answers whatever the client's thread does.
class TimeServerFixture
{
public:
    struct Behaviour
    {
        // Sent right after the delay; empty means close without sending.
        QByteArray answer;
        int delayMsecs = 0;
        // Accept and never send: the client must give up on its own.
        bool silent = false;
    };

    explicit TimeServerFixture(Behaviour behaviour, const char* address = "127.0.0.1");
    ~TimeServerFixture();
    TimeServerFixture(const TimeServerFixture&) = delete;
    TimeServerFixture& operator=(const TimeServerFixture&) = delete;

    quint16 port() const { return m_port; }
    // "address:port", the form of a server cycle entry.
    QString entry() const;
    int connections() const { return m_connections; }
    // Connections the client closed after the answer was sent.
    int closedByClient() const { return m_closedByClient; }

    // The 4 bytes that tell `utc` (seconds since 1900, big-endian).
    static QByteArray answerFor(const QDateTime& utc);
    static QByteArray bytes(std::initializer_list<quint8> values);
    // A loopback port on which nothing listens, so connecting is refused.
    static quint16 refusedPort();

private:
    void serve();
    void serveConnection(int connection);
    // Waits for `fd` to become readable; false when the fixture stops first.
    bool waitReadable(int fd, int timeoutMsecs = -1);

    Behaviour m_behaviour;
    QString m_address;
    int m_listener = -1;
    int m_wake[2] = {-1, -1};
    quint16 m_port = 0;
    std::atomic<int> m_connections{0};
    std::atomic<int> m_closedByClient{0};
    std::thread m_thread;
};
