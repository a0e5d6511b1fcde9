// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/hoursfieldbehaviour.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

HoursFieldBehaviour::HoursFieldBehaviour(QObject* parent, std::initializer_list<QLineEdit*> fields,
                                         std::function<void(QLineEdit*)> left)
    : QObject(parent)
    , m_left(std::move(left))
{
    for (QLineEdit* field : fields)
        field->installEventFilter(this);
}

bool HoursFieldBehaviour::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = qobject_cast<QLineEdit*>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
        field->selectAll();
        break;
    case QEvent::FocusOut: {
        // Leaving the window, or opening a menu, is not leaving the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            m_left(field);
        break;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The key a user would press to move on.
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(field, &tab);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
