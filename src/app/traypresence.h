// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <memory>

class QWidget;
class frmSysTray;

// The window's place in the notification area: the icon and its menu, and
// the window going into the tray and coming back out of it.
class TrayPresence : public QObject
{
    Q_OBJECT

public:
    // Without a tray, a minimised window stays on the taskbar, the only way back.
    TrayPresence(QWidget& window, bool trayAvailable);
    ~TrayPresence() override;

    frmSysTray& icon() const { return *m_frmSysTray; }
    // The menu's first item, which shows or hides the window.
    void addShowItem();
    // The menu's last items, the tip and the picture.
    void completeMenu();
    // Takes the icon out of the notification area.
    void remove();

    // Follows a change of the window's state: minimised goes into the tray.
    // True when the window is now on show.
    bool followWindowState();
    // Brings the built window up in its normal state and in front.
    void showWindow();

Q_SIGNALS:
    // The user asks for the window: the menu's "show" item or a double click.
    void showRequested();
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void m_frmSysTray_MenuClick(qint32 lIndex, const QString& sKey);
    void m_frmSysTray_SysTrayDoubleClick(int eButton);
    void m_frmSysTray_SysTrayMouseDown(int eButton);
    void putIntoTray();

    QWidget& m_window;
    std::unique_ptr<frmSysTray> m_frmSysTray;
    bool m_trayAvailable;
    // Shown afresh from the tray and not yet on screen.
    bool m_awaitingExposure = false;
};
