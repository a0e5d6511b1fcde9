// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/desktopscript.h"

#include <QList>

// An X11 display (Xvfb) whose tray trayer holds, as XEmbed tray hosts do.
class TrayDisplay : public DesktopScript
{
public:
    TrayDisplay() : DesktopScript(QStringLiteral(KORVEL_DESKTOP), {QStringLiteral("x11")}) {}

    // ":N"
    QString name() const { return value(QStringLiteral("DISPLAY")); }

    // Points this process, and so every program it starts, at the display:
    // DISPLAY, and QT_QPA_PLATFORM=xcb.
    void exportToEnvironment() const;

    // The windows of process `pid` that trayer holds embedded in its panel
    // on `display` (":N").
    static QList<quint32> dockedWindows(const QString& display, qint64 pid);
};
