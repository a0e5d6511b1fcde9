// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QComboBox>

// An editable combo box whose edit field never chooses an entry: neither
// Enter, nor leaving the field, nor completing typed text selects the entry
// the text names. Only a choice from the list changes the current index
// (its drop-down, the arrow keys, the mouse wheel, or code).
class ListChoiceComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ListChoiceComboBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
