// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/contextids.h"

#include "ui/helpfilepath.h"
#include "ui/helpviewer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace {

QPointer<QWidget> s_owner;
QString s_helpFile;
QPointer<HelpViewer> s_viewer;

int ownContext(const QWidget* widget)
{
    return widget->property("helpContextId").toInt();
}

} // namespace

void ContextIDs::InitHelp(QWidget* owner)
{
    s_owner = owner;
    const QString programFolder = QCoreApplication::applicationDirPath();
    s_helpFile = HelpFilePath::locate(programFolder,
                                      programFolder + QStringLiteral("/" KORVEL_DATA_FROM_BIN));
}

QString ContextIDs::helpFile()
{
    return s_helpFile;
}

void ContextIDs::ShowHelp(int contextId)
{
    if (!s_viewer)
        s_viewer = new HelpViewer;
    s_viewer->showContext(s_helpFile, contextId);
    s_viewer->show();
    s_viewer->raise();
    s_viewer->activateWindow();
}

void ContextIDs::QuitHelp()
{
    // The window has no parent to take it along, so it goes here.
    delete s_viewer.data();
}

int ContextIDs::helpContextFor(const QWidget* focusWidget, const QWidget* window)
{
    for (const QWidget* widget = focusWidget; widget && widget != window; widget = widget->parentWidget()) {
        if (const int context = ownContext(widget); context > 0)
            return context;
    }
    if (window) {
        if (const int context = ownContext(window); context > 0)
            return context;
    }
    return kWindowContext;
}

void ContextIDs::PressHelpKey()
{
    QWidget* const target = QApplication::focusWidget() ? QApplication::focusWidget() : s_owner.data();
    if (!target)
        return;
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier));
}
