// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QProcess>
#include <QString>

// A private X display (Xvfb) with trayer as its notification-area host, for
// tests of the tray icon and of the whole program. Runs from the constructor,
// which waits until trayer owns the tray selection, until the destructor.
class TrayDisplay
{
public:
    TrayDisplay();
    ~TrayDisplay();
    TrayDisplay(const TrayDisplay&) = delete;
    TrayDisplay& operator=(const TrayDisplay&) = delete;

    bool isRunning() const { return m_error.isEmpty(); }
    // What went wrong when the display or the tray host did not start.
    QString errorText() const { return m_error; }
    // ":N"
    QString name() const { return m_name; }

    // Points this process, and so every program it starts, at the display:
    // DISPLAY, and QT_QPA_PLATFORM=xcb.
    void exportToEnvironment() const;

    // The windows of process `pid` that trayer holds embedded in its panel
    // on `display` (":N").
    static QList<quint32> dockedWindows(const QString& display, qint64 pid);

private:
    bool trayIsOwned() const;

    QProcess m_xvfb;
    QProcess m_trayer;
    QString m_name;
    QString m_error;
};
