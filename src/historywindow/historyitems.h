// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class QAction;
class UpdateHistory;
class frmSysTray;

// The ways to the History window: "History…" in the window's Options menu
// and in the tray menu. The window comes from a module of its own (with Qt
// Charts), loaded the first time the user opens it, never at start. Once
// this run's updates have measured the drift, the tray tip says it too.
class HistoryItems : public QObject
{
    Q_OBJECT

public:
    // Adds "History…" to the end of the tray menu; the window's item is
    // added once the window is built.
    HistoryItems(frmSysTray& tray, UpdateHistory& history, QWidget* window);
    void addWindowItem(QAction* windowItem);
    ~HistoryItems() override;

    // The tray tip `tip` with the drift's sentence after it.
    QString withDrift(const QString& tip) const;
    // Opens the History window, or brings it up with what was recorded since.
    void open();
    // The open History window; nothing when it is closed.
    QWidget* historyWindow() const { return m_historyWindow; }

    // Where the window program looks for the module: next to itself.
    static QString modulePath();
    // Loads the module (once: its libraries stay) and makes a History window
    // over `historyFile`; nothing, with why in `problem`, when it cannot.
    static QWidget* makeWindow(const QString& historyFile, QString& problem);

private:
    void trayItemChosen(qint32 index, const QString& key);

    UpdateHistory& m_history;
    QWidget* m_window;
    QPointer<QWidget> m_historyWindow;
};
