// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/userprompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

bool UserPrompts::askYesNo(QWidget* parent, const QString& title, const QString& text)
{
    return yesNoBox(parent, title, text)->exec() == QMessageBox::Yes;
}

bool UserPrompts::askChoice(QWidget* parent, const QString& title, const QString& text, const QString& accept,
                            const QString& decline)
{
    const std::unique_ptr<QMessageBox> box = choiceBox(parent, title, text, accept, decline);
    box->exec();
    return box->clickedButton() == box->defaultButton();
}

QString UserPrompts::askText(QWidget* parent, const QString& title, const QString& prompt)
{
    const std::unique_ptr<QInputDialog> box = textBox(parent, title, prompt);
    return box->exec() == QDialog::Accepted ? box->textValue() : QString();
}

void UserPrompts::beep()
{
    QApplication::beep();
}

std::unique_ptr<QMessageBox> UserPrompts::yesNoBox(QWidget* parent, const QString& title, const QString& text)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, title, text,
                                             QMessageBox::Yes | QMessageBox::No, parent);
    box->setDefaultButton(QMessageBox::Yes);
    return box;
}

std::unique_ptr<QMessageBox> UserPrompts::choiceBox(QWidget* parent, const QString& title, const QString& text,
                                                     const QString& accept, const QString& decline)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    box->setDefaultButton(box->addButton(accept, QMessageBox::AcceptRole));
    box->setEscapeButton(box->addButton(decline, QMessageBox::RejectRole));
    return box;
}

std::unique_ptr<QInputDialog> UserPrompts::textBox(QWidget* parent, const QString& title, const QString& prompt)
{
    auto box = std::make_unique<QInputDialog>(parent);
    box->setWindowTitle(title);
    box->setLabelText(prompt);
    // The input box sizes itself to its prompt on one line otherwise.
    if (auto* label = box->findChild<QLabel*>())
        label->setWordWrap(true);
    return box;
}
