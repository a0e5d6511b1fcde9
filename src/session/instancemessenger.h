// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

class InstanceFolder;

// The running Korvel's end of the socket later starts write to. A request
// is one byte from a process of the same user, answered with the same byte;
// a connection that sends more, or nothing for a moment, is dropped, and no
// more than a few are held at once, so whatever is sent costs neither memory
// nor descriptors. Running out of descriptors pauses the listening, never
// ends it.
class InstanceMessenger : public QObject
{
public:
    // Carries out a request; false for a byte that is none.
    using Serve = std::function<bool(char request)>;

    InstanceMessenger() = default;
    ~InstanceMessenger() override;

    // Listens at `name` in `folder`, in place of what a Korvel that ended
    // left there (the caller holds the lock). Needs no application object:
    // later starts wait in the queue until start().
    bool listen(const InstanceFolder& folder, const QByteArray& name);
    // Takes the requests from now on; needs the application object.
    void start(Serve serve);
    // Stops listening and removes the socket.
    void close();

    // Whether the process at the other end of a connected socket is this
    // user's (as the kernel saw it connect or listen).
    static bool isThisUser(int fd);

private:
    struct Peer
    {
        int fd = -1;
        std::unique_ptr<QSocketNotifier> notifier;
        QElapsedTimer since;
    };

    void acceptWaiting();
    void pauseListening();
    void readRequest(int fd);
    void drop(int fd);
    void dropIdle();

    int m_listenFd = -1;
    int m_folderFd = -1;
    QByteArray m_name;
    Serve m_serve;
    std::unique_ptr<QSocketNotifier> m_listening;
    std::deque<Peer> m_peers;
    QTimer m_idleCheck;
};
