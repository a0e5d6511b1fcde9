#include "tray/frmsystray.h"

#include "ui/twipsconverter.h"

#include <QAction>
#include <QMenu>

frmSysTray::frmSysTray(QWidget* parent)
    : QWidget(parent)
    , m_mnuPopup(new QMenu(QStringLiteral("&Popup"), this))
{
    const TwipsConverter twips(logicalDpiX());
    setObjectName(QStringLiteral("frmSysTray"));
    setWindowTitle(QStringLiteral("Sys Tray Interface"));
    resize(twips.toPixels(4680), twips.toPixels(1920));

    m_mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    QAction* first = m_mnuPopup->addAction(QString());
    first->setObjectName(QStringLiteral("mnuSysTray"));
    m_mnuSysTray.append(first);
}

QMenu* frmSysTray::mnuPopup() const
{
    return m_mnuPopup;
}

const QList<QAction*>& frmSysTray::mnuSysTray() const
{
    return m_mnuSysTray;
}
