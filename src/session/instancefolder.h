// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// The folder where one user's Korvels meet: $XDG_RUNTIME_DIR, else a folder
// of the user's own under the temporary folder, else the settings folder;
// the first that is the user's and that nobody else may write. What lies in
// it was put there by the user alone, so another user can neither hold
// Korvel's lock nor answer in its place.
class InstanceFolder
{
public:
    // Opens the folder, making the one under the temporary folder or the
    // settings folder (mode 0700) when need be.
    static InstanceFolder openPrivate(const QString& settingsFolder);

    InstanceFolder(InstanceFolder&& other) noexcept;
    InstanceFolder& operator=(InstanceFolder&&) = delete;
    ~InstanceFolder();

    bool isOpen() const { return m_fd >= 0; }
    int descriptor() const { return m_fd; }
    // Why there is no folder, for the user.
    QString problem() const { return m_problem; }
    // A path to `name` inside the folder through its open descriptor: short
    // enough for a socket address however long the folder's own path is.
    QByteArray reach(const QByteArray& name) const;

private:
    InstanceFolder(int fd, QString problem);

    int m_fd = -1;
    QString m_problem;
};
