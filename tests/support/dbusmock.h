// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

class PrivateSystemBus;

// A system service played by python3-dbusmock (peers/private-bus.sh) on a
// private bus, driven through gdbus. Runs from the constructor (which waits
// for the service's name to appear) until the destructor.
class DBusMock
{
public:
    DBusMock(const DBusMock&) = delete;
    DBusMock& operator=(const DBusMock&) = delete;

    // Empty while running, else why it did not start.
    QString errorText() const { return m_error; }

protected:
    DBusMock(const PrivateSystemBus& bus, const char* dbusmockTemplate, const QString& service);
    ~DBusMock();

    // Calls `method` (unqualified: one of dbusmock's own) on `objectPath`; returns gdbus's output.
    QString call(const QString& objectPath, const QString& method, const QStringList& arguments);
    // `text` as a GVariant string.
    static QString quoted(QString text);

    const QString m_service;
    QString m_error;

private:
    QString m_address;
    QProcess m_process;
};
