// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tray/frmsystray.h"

#include "tray/trayhost.h"
#include "tray/traylog.h"
#include "tray/traymousemessage.h"
#include "ui/programicon.h"
#include "ui/twipsconverter.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QStyleHints>
#include <QTimer>

namespace {
const QString kSeparatorCaption = QStringLiteral("-");

// Qt reports whole clicks; the owner expects the press and release of the
// older tray messages. The middle button has no meaning in Korvel.
QList<TrayMouseEvent> eventsFor(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return {{TrayMouseEvent::MouseDown, 1}, {TrayMouseEvent::MouseUp, 1}};
    case QSystemTrayIcon::Context:
        return {{TrayMouseEvent::MouseDown, 2}, {TrayMouseEvent::MouseUp, 2}};
    case QSystemTrayIcon::DoubleClick:
        return {{TrayMouseEvent::DoubleClick, 1}};
    default:
        return {};
    }
}

int doubleClickInterval()
{
    return QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

// A separator keeps its "-" aside: some styles would print a separator's text.
const char* const kCaptionProperty = "caption";

void setCaption(QAction* item, const QString& caption)
{
    const bool separator = caption == kSeparatorCaption;
    item->setProperty(kCaptionProperty, caption);
    item->setText(separator ? QString() : caption);
    item->setSeparator(separator);
}

QString captionOf(const QAction* item)
{
    return item->property(kCaptionProperty).toString();
}

QString keyOf(const QAction* item)
{
    return item->data().toString();
}
} // namespace

frmSysTray::frmSysTray(QWidget* parent)
    : QWidget(parent)
    , m_mnuPopup(new QMenu(tr("&Popup"), this))
    , m_pendingClick(new QTimer(this))
{
    const TwipsConverter twips(logicalDpiX());
    setObjectName(QStringLiteral("frmSysTray"));
    setWindowTitle(tr("Sys Tray Interface"));
    resize(twips.toPixels(4680), twips.toPixels(1920));

    m_mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    appendElement(m_mnuPopup->addAction(QString()));
    showDefaultItem();

    m_pendingClick->setSingleShot(true);
    connect(m_pendingClick, &QTimer::timeout, this, [this] {
        for (const TrayMouseEvent& event : eventsFor(QSystemTrayIcon::Trigger))
            raiseMouseEvent(event);
    });
}

void frmSysTray::Form_Load()
{
    if (m_trayIcon)
        return;
    m_icon = ProgramIcon::icon();
    m_toolTip = tr("Time / Date Setting Program");
    m_trayIcon = new QSystemTrayIcon(m_icon, this);
    m_trayIcon->setToolTip(m_toolTip);
    // Exported before the icon is shown, so the host finds it at once. An
    // XEmbed icon would open a context menu itself, a second one besides ShowMenu.
    if (TrayHost::current() == TrayHost::Kind::StatusNotifier)
        m_trayIcon->setContextMenu(m_mnuPopup);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &frmSysTray::onActivated);
    m_trayIcon->show();
}

void frmSysTray::Form_QueryUnload()
{
    if (!m_trayIcon)
        return;
    m_trayIcon->hide();
    delete m_trayIcon;
    m_trayIcon = nullptr;
}

QString frmSysTray::ToolTip() const
{
    return m_toolTip;
}

void frmSysTray::setToolTip(const QString& sTip)
{
    const QString tip = sTip.left(MaxToolTipLength);
    if (tip == m_toolTip)
        return;
    m_toolTip = tip;
    qCDebug(lcTray).noquote() << "Tool tip:" << m_toolTip;
    if (m_trayIcon)
        m_trayIcon->setToolTip(m_toolTip);
}

QIcon frmSysTray::IconHandle() const
{
    return m_icon;
}

void frmSysTray::setIconHandle(const QIcon& icon)
{
    if (icon.cacheKey() == m_icon.cacheKey())
        return;
    m_icon = icon;
    if (m_trayIcon)
        m_trayIcon->setIcon(m_icon);
}

qint32 frmSysTray::AddMenuItem(const QString& sCaption, const QString& sKey, bool bDefault)
{
    if (m_placeholderTaken)
        appendElement(m_mnuPopup->addAction(QString()));
    m_placeholderTaken = true;
    const qint32 index = qint32(m_mnuSysTray.size() - 1);
    QAction* item = m_mnuSysTray.at(index);
    setCaption(item, sCaption);
    item->setData(sKey);
    item->setVisible(true);
    if (bDefault)
        setDefaultMenuIndex(index);
    return index;
}

void frmSysTray::EnableMenuItem(qint32 lIndex, bool bState)
{
    if (isValidIndex(lIndex))
        m_mnuSysTray.at(lIndex)->setEnabled(bState);
}

qint32 frmSysTray::RemoveMenuItem(qint32 iIndex)
{
    if (!isValidIndex(iIndex))
        return 0;
    if (iIndex == 0) {
        // Element 0 belongs to the design and is never destroyed.
        setCaption(m_mnuSysTray.first(), QString());
        return 0;
    }
    // Captions and keys move; each place keeps its own enabled state.
    for (qsizetype i = iIndex + 1; i < m_mnuSysTray.size(); ++i) {
        setCaption(m_mnuSysTray.at(i - 1), captionOf(m_mnuSysTray.at(i)));
        m_mnuSysTray.at(i - 1)->setData(m_mnuSysTray.at(i)->data());
    }
    delete m_mnuSysTray.takeLast();
    showDefaultItem();
    return 0;
}

qint32 frmSysTray::DefaultMenuIndex() const
{
    return m_defaultMenuIndex;
}

void frmSysTray::setDefaultMenuIndex(qint32 lIndex)
{
    m_defaultMenuIndex = isValidIndex(lIndex) ? lIndex : 0;
    showDefaultItem();
}

QVariant frmSysTray::ShowMenu()
{
    showDefaultItem();
    m_mnuPopup->exec(QCursor::pos());
    return {};
}

void frmSysTray::receiveTrayMessage(quint32 message)
{
    raiseMouseEvent(TrayMouseMessage::decode(message));
}

QString frmSysTray::MenuCaption(qint32 lIndex) const
{
    return isValidIndex(lIndex) ? captionOf(m_mnuSysTray.at(lIndex)) : QString();
}

void frmSysTray::setMenuCaption(qint32 lIndex, const QString& sCaption)
{
    if (!isValidIndex(lIndex) || captionOf(m_mnuSysTray.at(lIndex)) == sCaption)
        return;
    setCaption(m_mnuSysTray.at(lIndex), sCaption);
    qCDebug(lcTray).noquote() << "Menu item" << lIndex << "reads" << sCaption;
}

QMenu* frmSysTray::mnuPopup() const
{
    return m_mnuPopup;
}

const QList<QAction*>& frmSysTray::mnuSysTray() const
{
    return m_mnuSysTray;
}

QSystemTrayIcon* frmSysTray::trayIcon() const
{
    return m_trayIcon;
}

void frmSysTray::raiseMouseEvent(const TrayMouseEvent& event)
{
    switch (event.kind) {
    case TrayMouseEvent::MouseDown:
        Q_EMIT SysTrayMouseDown(event.button);
        break;
    case TrayMouseEvent::MouseUp:
        Q_EMIT SysTrayMouseUp(event.button);
        break;
    case TrayMouseEvent::MouseMove:
        Q_EMIT SysTrayMouseMove();
        break;
    case TrayMouseEvent::DoubleClick:
        Q_EMIT SysTrayDoubleClick(event.button);
        break;
    case TrayMouseEvent::None:
        break;
    }
}

void frmSysTray::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (TrayHost::current() == TrayHost::Kind::StatusNotifier) {
        // The host opens the exported menu itself, and its activation (a left
        // click) stands for the double click. Hosts send more than one call
        // for one click; within the double-click interval they are one.
        if (reason != QSystemTrayIcon::Trigger
            || (m_lastActivation.isValid() && m_lastActivation.elapsed() < doubleClickInterval()))
            return;
        m_lastActivation.start();
        raiseMouseEvent({TrayMouseEvent::DoubleClick, 1});
        return;
    }
    // A left click may be the first half of a double click: the modal menu it
    // opens would take the second click. It waits out the interval first.
    if (reason == QSystemTrayIcon::Trigger) {
        m_pendingClick->start(doubleClickInterval());
        return;
    }
    if (reason == QSystemTrayIcon::DoubleClick)
        m_pendingClick->stop();
    for (const TrayMouseEvent& event : eventsFor(reason))
        raiseMouseEvent(event);
}

void frmSysTray::appendElement(QAction* action)
{
    action->setObjectName(QStringLiteral("mnuSysTray"));
    m_mnuSysTray.append(action);
    // An element keeps its place for its whole life, so its place is its index.
    connect(action, &QAction::triggered, this, [this, action] {
        const qsizetype index = m_mnuSysTray.indexOf(action);
        Q_EMIT MenuClick(qint32(index), keyOf(action));
    });
}

void frmSysTray::showDefaultItem()
{
    m_mnuPopup->setDefaultAction(m_mnuSysTray.value(m_defaultMenuIndex));
}

bool frmSysTray::isValidIndex(qint32 index) const
{
    return index >= 0 && index < m_mnuSysTray.size();
}
