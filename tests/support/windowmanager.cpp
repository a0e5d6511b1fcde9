// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/windowmanager.h"

#include <QDeadlineTimer>

WindowManager::WindowManager(const QString& display, const QString& kind)
{
    m_script.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_script.start(KORVEL_WINDOW_MANAGER, {display, kind});
    const QDeadlineTimer deadline(20000);
    for (;;) {
        while (!m_script.canReadLine()) {
            if (deadline.hasExpired() || !m_script.waitForReadyRead(int(deadline.remainingTime()))) {
                m_error = kind + " did not come up on " + display;
                return;
            }
        }
        const QString line = QString::fromUtf8(m_script.readLine()).trimmed();
        if (line == QLatin1String("ready"))
            return;
        if (line.startsWith(QLatin1String("DBUS_SESSION_BUS_ADDRESS=")))
            m_bus = line.section(u'=', 1);
    }
}

WindowManager::~WindowManager()
{
    m_script.terminate();
    m_script.waitForFinished(5000);
}
