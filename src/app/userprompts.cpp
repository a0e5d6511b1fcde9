#include "app/userprompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

bool UserPrompts::askYesNo(QWidget* parent, const QString& title, const QString& text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QString UserPrompts::askText(QWidget* parent, const QString& title, const QString& prompt)
{
    return QInputDialog::getText(parent, title, prompt);
}

void UserPrompts::beep()
{
    QApplication::beep();
}
