// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tray/traymouseevent.h"

#include <QElapsedTimer>
#include <QIcon>
#include <QList>
#include <QSystemTrayIcon>
#include <QVariant>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QAction;
class QMenu;
class QTimer;
QT_END_NAMESPACE

// The hidden form behind the notification-area icon. It is never shown; it
// owns the icon and the icon's pop-up menu, whose items are added at run time
// starting with the design's single placeholder item (element 0).
//
// The icon lives from Form_Load until Form_QueryUnload (or the form's end).
// On an XEmbed tray the owner opens the menu with ShowMenu when it sees
// SysTrayMouseDown; a left button's press and release come once the
// double-click interval has passed without a second click. A
// StatusNotifierItem host draws the menu itself from an exported copy
// (DBusMenu) and raises no mouse-down: its activation comes as a double
// click, once per click, and nothing it calls waits on a modal menu.
class frmSysTray : public QWidget
{
    Q_OBJECT

public:
    // Tool tips longer than this are cut, as the tray hosts once did; room
    // enough for why the clock was not set and when the next check is.
    static constexpr qsizetype MaxToolTipLength = 128;

    explicit frmSysTray(QWidget* parent = nullptr);

    // Puts the program icon into the notification area.
    void Form_Load();
    // Takes the icon out of the notification area again.
    void Form_QueryUnload();

    QString ToolTip() const;
    // The icon's tip, cut to MaxToolTipLength; hides QWidget's own, since the
    // form itself is never shown.
    void setToolTip(const QString& sTip);
    QIcon IconHandle() const;
    void setIconHandle(const QIcon& icon);

    // Returns the new element's index; a caption of "-" is a separator line.
    qint32 AddMenuItem(const QString& sCaption, const QString& sKey = {}, bool bDefault = false);
    void EnableMenuItem(qint32 lIndex, bool bState);
    // An item's caption as it was given ("-" for a separator); nothing for
    // an invalid index.
    QString MenuCaption(qint32 lIndex) const;
    void setMenuCaption(qint32 lIndex, const QString& sCaption);
    // Later captions and keys move up one place; element 0 is only emptied.
    qint32 RemoveMenuItem(qint32 iIndex);
    qint32 DefaultMenuIndex() const;
    void setDefaultMenuIndex(qint32 lIndex);
    // Opens the menu at the mouse pointer and returns when it closes.
    QVariant ShowMenu();

    // For a tray backend that delivers the raw mouse messages (0x200-0x206).
    void receiveTrayMessage(quint32 message);

    QMenu* mnuPopup() const;
    const QList<QAction*>& mnuSysTray() const;
    // Null while no icon is shown.
    QSystemTrayIcon* trayIcon() const;

Q_SIGNALS:
    // eButton: 1 left, 2 right.
    void SysTrayMouseDown(int eButton);
    void SysTrayMouseUp(int eButton);
    void SysTrayMouseMove();
    void SysTrayDoubleClick(int eButton);
    void MenuClick(qint32 lIndex, const QString& sKey);

private:
    void raiseMouseEvent(const TrayMouseEvent& event);
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void appendElement(QAction* action);
    void showDefaultItem();
    bool isValidIndex(qint32 index) const;

    QMenu* m_mnuPopup;
    QList<QAction*> m_mnuSysTray;
    QSystemTrayIcon* m_trayIcon = nullptr;
    // A left click on an XEmbed icon, waiting to see whether a second follows.
    QTimer* m_pendingClick;
    // The last activation a StatusNotifierItem host sent that was acted on.
    QElapsedTimer m_lastActivation;
    QString m_toolTip;
    QIcon m_icon;
    qint32 m_defaultMenuIndex = 0;
    bool m_placeholderTaken = false;
};
