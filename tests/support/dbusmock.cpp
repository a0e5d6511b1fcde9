// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/dbusmock.h"

#include "support/privatesystembus.h"

#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

DBusMock::DBusMock(const PrivateSystemBus& bus, const char* dbusmockTemplate, const QString& service)
    : m_service(service), m_address(bus.address())
{
    if (!bus.isRunning()) {
        m_error = "no private bus: " + bus.errorText();
        return;
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start(KORVEL_PRIVATE_BUS, {"mock", m_address, dbusmockTemplate});
    QProcess wait;
    wait.start("gdbus", {"wait", "--address", m_address, "--timeout", "20", m_service});
    if (!m_process.waitForStarted() || !wait.waitForFinished(25000) || wait.exitCode() != 0)
        m_error = "dbusmock did not come up: " + m_process.errorString() + ' ' + wait.readAllStandardError();
}

DBusMock::~DBusMock()
{
    // Gone for good before the test goes on, however busy the machine: a
    // mock still on its way out would answer as a broken service.
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
    // The bus may not have seen it go yet, and would route a call to it.
    const QString watcher = QStringLiteral("dbusmock-leaving");
    {
        const QDBusConnection bus = QDBusConnection::connectToBus(m_address, watcher);
        for (const QDeadlineTimer deadline(5000);
             bus.isConnected() && bus.interface()->isServiceRegistered(m_service) && !deadline.hasExpired();)
            QThread::msleep(10);
    }
    QDBusConnection::disconnectFromBus(watcher);
}

QString DBusMock::call(const QString& objectPath, const QString& method, const QStringList& arguments)
{
    const QString qualified = method.contains('.') ? method : "org.freedesktop.DBus.Mock." + method;
    QProcess process;
    process.start("gdbus", QStringList{"call", "--address", m_address, "--dest", m_service, "--object-path",
                                       objectPath, "--method", qualified} + arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        ADD_FAILURE() << "gdbus " << qPrintable(qualified) << " failed: " << process.readAllStandardError().data();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString DBusMock::quoted(QString text)
{
    return '\'' + text.replace('\\', "\\\\").replace('\'', "\\'") + '\'';
}
