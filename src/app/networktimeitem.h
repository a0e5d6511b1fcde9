// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class NetworkTimeSwitch;
class QAction;
class UpdateReport;

// The Options menu's "Let network time keep the clock": ticked while the
// system's network time keeps the clock, and choosing it turns network time
// on or off. It says in a status line, at load and at every change whoever
// makes it, when network time keeps the clock.
class NetworkTimeItem : public QObject
{
    Q_OBJECT

public:
    // The status lines start at once; the menu item follows them once the
    // window is built.
    NetworkTimeItem(NetworkTimeSwitch& networkTime, UpdateReport& report, QObject* parent = nullptr);
    void showOn(QAction* item);

private:
    void choose(bool on);
    void changed(bool on);
    // Ticked as timedated says; usable only once it has said anything.
    void showState();

    QAction* m_item = nullptr;
    NetworkTimeSwitch& m_networkTime;
    UpdateReport& m_report;
};
