// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "net/connectionbackend.h"

#include <QStringList>

#include <memory>

// Tells whether the PC is on the Internet now and through what kind of
// connection. On a LAN, a proxy or a busy modem the system's answer is not
// trusted: a known web site is opened to decide, unless the system has
// checked the way to the Internet itself and no proxy stands in it.
class CNetConnect
{
public:
    // The test sites unless KORVEL_TEST_SITES (comma-separated URLs) replaces them.
    static QStringList defaultTestSites();

    explicit CNetConnect(std::shared_ptr<ConnectionBackend> backend);

    // The sites the probe tries, in order; the list itself, so callers may edit it.
    QStringList& KnownTestSites() { return m_KnownTestSites; }
    void setKnownTestSites(const QStringList& sites) { m_KnownTestSites = sites; }

    // One refresh, both answers: what an update reads, once.
    struct Reading
    {
        bool connected = false;
        QString modeDesc;
    };
    Reading Read();

    bool Connected();
    qint32 ConnectMode();
    QString ConnectModeDesc();
    bool Dial(qint32 Flags = 0);
    bool HangUp();
    void Refresh();

    static constexpr int kDefaultProbeTimeoutMsecs = 10000;

    // How long one test site may take to answer.
    void setProbeTimeoutMsecs(int msecs) { m_probeTimeoutMsecs = msecs; }

private:
    bool TestKnownSites();

    std::shared_ptr<ConnectionBackend> m_backend;
    bool m_Connected = false;
    qint32 m_ConnectMode = 0;
    QString m_ConnectModeDesc;
    QStringList m_KnownTestSites;
    int m_probeTimeoutMsecs = kDefaultProbeTimeoutMsecs;
};
