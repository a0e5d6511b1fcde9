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
#include <QMenu>

namespace {
const QString kSeparatorCaption = QStringLiteral("-");

// Qt reports whole clicks; the owner expects the press and release of the
// older tray messages. The middle button has no meaning in Korvel.
// A StatusNotifierItem host opens the exported menu itself, and its
// activation (a left click) stands for the double click.
QList<TrayMouseEvent> eventsFor(QSystemTrayIcon::ActivationReason reason, TrayHost::Kind host)
{
    if (host == TrayHost::Kind::StatusNotifier)
        return reason == QSystemTrayIcon::Trigger ? QList<TrayMouseEvent>{{TrayMouseEvent::DoubleClick, 1}}
                                                  : QList<TrayMouseEvent>{};
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
{
    const TwipsConverter twips(logicalDpiX());
    setObjectName(QStringLiteral("frmSysTray"));
    setWindowTitle(tr("Sys Tray Interface"));
    resize(twips.toPixels(4680), twips.toPixels(1920));

    m_mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    appendElement(m_mnuPopup->addAction(QString()));
    showDefaultItem();
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
    for (const TrayMouseEvent& event : eventsFor(reason, TrayHost::current()))
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
