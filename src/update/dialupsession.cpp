// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "update/dialupsession.h"

#include "net/cnetconnect.h"
#include "net/connectcommands.h"
#include "net/connectionerror.h"
#include "net/cwininetconnection.h"
#include "net/netlog.h"
#include "update/updatereport.h"

DialUpSession::DialUpSession(std::shared_ptr<ConnectionBackend> backend, UpdateReport& report)
    : m_report(report)
    , m_netConnect(std::make_unique<CNetConnect>(backend))
    , m_connection(std::make_unique<CWinInetConnection>(backend))
{
    try {
        m_connection->Refresh();
    } catch (const ConnectionError& error) {
        // A stale error of the connected-state query must not stop start-up;
        // the flags stay as Refresh left them.
        qCWarning(lcNet).noquote() << error.source() << error.description();
    }
}

DialUpSession::~DialUpSession() = default;

void DialUpSession::Connect(const QString& entryName)
{
    m_report.clearStatusLines();
    m_connectEnabled = false;
    reportButtons();
    const ConnectCommands::ConnectOutcome outcome = ConnectCommands::connect(*m_connection, *m_netConnect, entryName);
    m_report.addStatusLine(outcome.statusLine);
    m_connectEnabled = outcome.connectEnabled;
    // Whatever the probe says, what Korvel dialled it must be able to hang up.
    m_disconnectShown = m_disconnectShown || outcome.dialled;
    reportButtons();
}

bool DialUpSession::Disconnect()
{
    const ConnectCommands::DisconnectOutcome outcome = ConnectCommands::disconnect(*m_connection);
    m_report.addStatusLine(outcome.statusLine);
    if (outcome.hungUp)
        hungUp();
    return outcome.hungUp;
}

void DialUpSession::HangUpAfterUpdate()
{
    if (!m_connection->IsRasInstalled() || !m_connection->HangUp().toBool())
        return;
    m_report.addStatusLine(ConnectCommands::disconnectStatusLine(true));
    hungUp();
}

void DialUpSession::connectionFound()
{
    m_connectEnabled = false;
    reportButtons();
}

void DialUpSession::noDialUp()
{
    m_report.addStatusLine(ConnectCommands::noRasStatusLine());
    m_connectEnabled = false;
    reportButtons();
}

void DialUpSession::hungUp()
{
    m_connectEnabled = true;
    m_disconnectShown = false;
    reportButtons();
}

void DialUpSession::reportButtons()
{
    m_report.showDialUpButtons(m_connectEnabled, m_disconnectShown);
}
