// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

// The lock that makes one Korvel the running one: a file held with flock,
// which the kernel lets go when the process ends, however it ends.
class InstanceLock
{
public:
    enum class Outcome {
        Taken,
        HeldElsewhere, // another process holds it, or is just letting it go
        Failed,        // the file cannot be made or locked at all
    };

    InstanceLock() = default;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    // Tries once, without waiting, to take the lock file `name` in the
    // folder open as `folderFd`.
    Outcome tryTake(int folderFd, const QByteArray& name);
    // Removes the file while still holding it, then lets go.
    void release();

private:
    int m_fd = -1;
    int m_folderFd = -1;
    QByteArray m_name;
};
