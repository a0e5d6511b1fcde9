#pragma once

#include <QList>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QAction;
class QMenu;
QT_END_NAMESPACE

// The hidden form behind the notification-area icon. It is never shown; it
// owns the icon's pop-up menu, whose items are added at run time after the
// design's single placeholder item.
class frmSysTray : public QWidget
{
    Q_OBJECT

public:
    explicit frmSysTray(QWidget* parent = nullptr);

    QMenu* mnuPopup() const;
    const QList<QAction*>& mnuSysTray() const;

private:
    QMenu* m_mnuPopup;
    QList<QAction*> m_mnuSysTray;
};
