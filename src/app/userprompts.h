// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <memory>

class QInputDialog;
class QMessageBox;
class QWidget;

// The few places where the window asks the user something or makes a sound.
// Tests answer in place of the user.
class UserPrompts
{
public:
    virtual ~UserPrompts() = default;

    // A question with Yes and No; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text);
    // A question with two buttons named for what they do; true for
    // `accept`, the default; the other button and Escape answer false.
    virtual bool askChoice(QWidget* parent, const QString& title, const QString& text, const QString& accept,
                           const QString& decline);
    // A line of text; empty when the user cancels.
    virtual QString askText(QWidget* parent, const QString& title, const QString& prompt);
    virtual void beep();

    // The boxes the questions above show, built but not yet shown. Long
    // texts wrap, so the boxes fit a small screen.
    static std::unique_ptr<QMessageBox> yesNoBox(QWidget* parent, const QString& title, const QString& text);
    static std::unique_ptr<QMessageBox> choiceBox(QWidget* parent, const QString& title, const QString& text,
                                                  const QString& accept, const QString& decline);
    static std::unique_ptr<QInputDialog> textBox(QWidget* parent, const QString& title, const QString& prompt);
};
