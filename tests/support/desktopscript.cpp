// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/desktopscript.h"

#include <QDeadlineTimer>

DesktopScript::DesktopScript(const QString& script, const QStringList& arguments)
{
    m_script.start(script, arguments);
    const QDeadlineTimer deadline(30000);
    for (;;) {
        while (!m_script.canReadLine()) {
            if (!m_script.waitForReadyRead(int(deadline.remainingTime()))) {
                m_error = script + u' ' + arguments.join(u' ') + ": "
                    + QString::fromLocal8Bit(m_script.readAllStandardError()).trimmed();
                return;
            }
        }
        const QString line = QString::fromLocal8Bit(m_script.readLine()).trimmed();
        if (line == QLatin1String("ready"))
            return;
        m_environment.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    }
}

DesktopScript::~DesktopScript()
{
    m_script.terminate();
    m_script.waitForFinished(10000);
}
