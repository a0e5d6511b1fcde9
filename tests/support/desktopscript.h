// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QProcess>
#include <QString>
#include <QStringList>

// A desktop, or a part of one, that a script of peers/ runs for the
// object's lifetime, and the environment it printed before "ready".
class DesktopScript
{
public:
    DesktopScript(const QString& script, const QStringList& arguments);
    ~DesktopScript();
    DesktopScript(const DesktopScript&) = delete;
    DesktopScript& operator=(const DesktopScript&) = delete;

    bool isRunning() const { return m_error.isEmpty(); }
    // What went wrong when the desktop did not come up.
    QString errorText() const { return m_error; }
    // An entry of the environment a program needs on the desktop.
    QString value(const QString& name) const { return m_environment.value(name); }
    const QHash<QString, QString>& environment() const { return m_environment; }

private:
    QProcess m_script;
    QHash<QString, QString> m_environment;
    QString m_error;
};
