#pragma once

#include <QList>
#include <QString>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

// A loopback listener on a plain socket, for what a Qt server cannot do: a
// reset, a trickle, or a full accept queue that the kernel answers with silence.
class FaultyServer
{
public:
    // `serve` runs on the server's thread for each accepted connection;
    // without one nothing is ever accepted and the server is a black hole.
    explicit FaultyServer(std::function<void(int)> serve = {});
    ~FaultyServer();
    FaultyServer(const FaultyServer&) = delete;
    FaultyServer& operator=(const FaultyServer&) = delete;

    QString entry() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

private:
    void fillAcceptQueue();

    int m_listener = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::unique_ptr<QThread> m_thread;
    QList<int> m_fillers;
};
