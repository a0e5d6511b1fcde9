// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/cwininetconnection.h"

#include "net/connectionerror.h"
#include "net/internetflags.h"

#include <cstring>

namespace {

// Codes up to this one are system (errno) codes; above it, connection-manager codes.
constexpr qint32 LastSystemCode = 12000;
constexpr qsizetype MessageCapacity = 256;

} // namespace

CWinInetConnection::CWinInetConnection(std::shared_ptr<ConnectionBackend> backend)
    : m_backend(std::move(backend))
{
}

bool CWinInetConnection::SetGlobalOnline()
{
    const NetResult result = m_backend->setGlobalOnline(true);
    if (!result.ok)
        ProcessError(QStringLiteral("SetGlobalOnline"), result);
    return result.ok;
}

bool CWinInetConnection::SetGlobalOffline()
{
    const NetResult result = m_backend->setGlobalOnline(false);
    if (!result.ok)
        ProcessError(QStringLiteral("SetGlobalOffline"), result);
    return result.ok;
}

bool CWinInetConnection::GoOnline(const QString& strURL, qint32)
{
    const NetResult result = m_backend->goOnline(strURL);
    if (!result.ok)
        ProcessError(QStringLiteral("GoOnline"), result);
    return result.ok;
}

QVariant CWinInetConnection::HangUp()
{
    // The number stays after a hang-up: a second one addresses a connection that is gone.
    return QVariant(m_backend->hangUp(m_ConnectionNumber).ok);
}

bool CWinInetConnection::Dial(qint32, const QString& strConnectionName, qint32 lOption, bool bShowOfflineButton)
{
    const qint32 flags = bShowOfflineButton ? (lOption | InternetFlags::DialShowOffline) : lOption;
    const NetResult result = m_backend->dial(strConnectionName, flags, m_ConnectionNumber);
    if (!result.ok)
        ProcessError(QStringLiteral("Dial"), result);
    return result.ok;
}

void CWinInetConnection::AutodialHangup()
{
    m_backend->autodialHangup();
}

bool CWinInetConnection::Autodial(qint32, qint32 lOption, bool bFailIfSecurityCheck)
{
    const qint32 flags = bFailIfSecurityCheck ? (lOption | InternetFlags::AutodialFailIfSecurityCheck) : lOption;
    // Never raises: a failure only shows as False.
    return m_backend->autodial(flags).ok;
}

void CWinInetConnection::Refresh()
{
    const ConnectedState state = m_backend->connectedState();
    m_IsConnected = state.result.ok;
    if (!state.result.ok)
        ProcessError(QStringLiteral("Refresh"), state.result); // when it raises, the snapshot stays as it was

    m_UseModem = state.flags & InternetFlags::Modem;
    m_UseLAN = state.flags & InternetFlags::Lan;
    m_UseProxy = state.flags & InternetFlags::Proxy;
    m_IsRasInstalled = state.flags & InternetFlags::RasInstalled;
    m_IsOffline = state.flags & InternetFlags::Offline;
    m_IsConnectionConfigured = state.flags & InternetFlags::Configured;
    m_ConnectionName = state.name;
}

QString CWinInetConnection::GetWinApiDesc(qint32 lErrNumber)
{
    const char* text = strerrordesc_np(lErrNumber);
    return text ? QString::fromLocal8Bit(text).left(MessageCapacity) : QString();
}

// Number: 0x800403E8 + code. Source: "CWinInetConnection." + member.
// Description: "Win32API Error: " for system codes (1..12000, text from the
// C library), "WinInet API Error: " for connection-manager codes (above
// 12000, text from NetworkManager or the bus), then the code, a space and the
// text. A code of 0 or less means there is nothing to report.
void CWinInetConnection::ProcessError(const QString& name, const NetResult& failure) const
{
    if (failure.code <= 0)
        return;
    const bool system = failure.code <= LastSystemCode;
    const QString prefix = system ? QStringLiteral("Win32API Error: ") : QStringLiteral("WinInet API Error: ");
    const QString text = system ? GetWinApiDesc(failure.code) : failure.message.left(MessageCapacity);
    throw ConnectionError(ConnectionError::NumberBase + static_cast<quint32>(failure.code),
                          QStringLiteral("CWinInetConnection.") + name,
                          prefix + QString::number(failure.code) + QLatin1Char(' ') + text);
}
