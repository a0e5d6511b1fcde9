// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/traypresence.h"

#include "app/windowsight.h"
#include "tray/frmsystray.h"
#include "ui/programicon.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {
// The menu's first item: what choosing it does to the window.
QString showItemCaption(bool inTray)
{
    return inTray ? TrayPresence::tr("&Show Korvel", "tray menu") : TrayPresence::tr("&Minimize Korvel", "tray menu");
}
} // namespace

TrayPresence::TrayPresence(QWidget& window, bool trayAvailable)
    : m_window(window)
    , m_frmSysTray(std::make_unique<frmSysTray>())
    , m_trayAvailable(trayAvailable)
{
    m_frmSysTray->Form_Load();
    connect(m_frmSysTray.get(), &frmSysTray::MenuClick, this, &TrayPresence::m_frmSysTray_MenuClick);
    connect(m_frmSysTray.get(), &frmSysTray::SysTrayMouseDown, this, &TrayPresence::m_frmSysTray_SysTrayMouseDown);
    connect(m_frmSysTray.get(), &frmSysTray::SysTrayDoubleClick, this,
            &TrayPresence::m_frmSysTray_SysTrayDoubleClick);
}

TrayPresence::~TrayPresence() = default;

void TrayPresence::addShowItem()
{
    m_frmSysTray->AddMenuItem(showItemCaption(!inSight(m_window)), QStringLiteral("show"));
}

void TrayPresence::completeMenu()
{
    m_frmSysTray->AddMenuItem(QStringLiteral("-"), QString());
    m_frmSysTray->AddMenuItem(tr("&Close", "tray menu"), QStringLiteral("close"));
    m_frmSysTray->setToolTip(QStringLiteral("Korvel"));
    m_frmSysTray->setIconHandle(ProgramIcon::icon());
}

void TrayPresence::remove()
{
    m_frmSysTray->Form_QueryUnload();
}

void TrayPresence::m_frmSysTray_MenuClick(qint32, const QString& sKey)
{
    if (sKey == QLatin1String("close"))
        Q_EMIT closeRequested();
    else if (sKey != QLatin1String("show"))
        return;
    else if (!inSight(m_window))
        Q_EMIT showRequested();
    else
        putIntoTray();
}

void TrayPresence::m_frmSysTray_SysTrayDoubleClick(int)
{
    // A window in the tray may read as normal: some window managers clear
    // the state of a window once it is withdrawn.
    if (!m_window.isVisible() || (m_window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        Q_EMIT showRequested();
    else
        putIntoTray();
}

void TrayPresence::m_frmSysTray_SysTrayMouseDown(int)
{
    m_frmSysTray->ShowMenu();
}

void TrayPresence::putIntoTray()
{
    // Minimised while still mapped, as the window manager's own button does,
    // then hidden (followWindowState hides it already where a tray is). A
    // hidden window asked to minimise leaves stale state behind on some
    // window managers.
    m_window.setWindowState(Qt::WindowMinimized);
    m_window.hide();
}

void TrayPresence::showWindow()
{
    // A withdrawn window starts afresh. Leaving the minimised state, the X11
    // platform would map the hidden window itself, before Qt shows it, and
    // that first exposure is lost: the window stays black. Shown first
    // instead, it comes up minimised, and the window manager's late word on
    // that would send it back to the tray.
    if (!m_window.isVisible() && m_window.windowHandle()) {
        m_window.windowHandle()->destroy();
        m_awaitingExposure = true;
    }
    m_window.setWindowState(Qt::WindowNoState);
    m_window.show();
    m_window.windowHandle()->installEventFilter(this);
    m_window.raise();
    m_window.activateWindow();
}

bool TrayPresence::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window.windowHandle() && event->type() == QEvent::Expose && m_window.windowHandle()->isExposed())
        m_awaitingExposure = false;
    return QObject::eventFilter(watched, event);
}

bool TrayPresence::followWindowState()
{
    if (m_window.windowState() & Qt::WindowMinimized) {
        // Shown from the tray but not yet on screen: the state the window
        // had before it went to the tray, reported late; the window's own
        // report follows.
        if (m_awaitingExposure && m_window.isVisible())
            return false;
        m_frmSysTray->setMenuCaption(0, showItemCaption(true));
        // Without a tray the taskbar is the only way back.
        if (m_trayAvailable)
            m_window.hide();
        return false;
    }
    if (!m_window.isVisible())
        return false;
    // Only showWindow brings a withdrawn window back. A window manager that
    // drops the minimised state from a window it no longer manages is not
    // the user restoring it.
    m_frmSysTray->setMenuCaption(0, showItemCaption(false));
    return true;
}
