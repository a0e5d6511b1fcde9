// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/listchoicecombobox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

ListChoiceComboBox::ListChoiceComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Completion would turn a part of a name into the whole entry.
    setCompleter(nullptr);
}

void ListChoiceComboBox::keyPressEvent(QKeyEvent* event)
{
    // The edit field selects the entry that matches its text on Enter.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void ListChoiceComboBox::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    // Selected whole as before, but from the end back to the start, so a
    // long zone name shows its start.
    const int length = int(lineEdit()->text().size());
    lineEdit()->setSelection(length, -length);
}

void ListChoiceComboBox::focusOutEvent(QFocusEvent* event)
{
    // ... and on leaving the field, through its editingFinished signal.
    const QSignalBlocker quiet(lineEdit());
    QComboBox::focusOutEvent(event);
}
