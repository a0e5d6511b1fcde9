// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

// Korvel's help: where the help file is, which topic belongs to the control
// with the focus, and the one help window, opened and closed on request.
namespace ContextIDs {

// The main window's topic; controls without a topic of their own fall back
// to it.
inline constexpr int kWindowContext = 10;

// Records the window that owns help and finds the help file: next to the
// program first, then in the installed data folder.
void InitHelp(QWidget* owner);

// The help file InitHelp found (empty before InitHelp).
QString helpFile();

// Opens the help window at the topic of `contextId`, creating it on first use.
void ShowHelp(int contextId);

// Closes the help window if one is open.
void QuitHelp();

// The topic for F1: the "helpContextId" property of the focused control or of
// the nearest control around it inside `window`, else the window's own, else
// kWindowContext.
int helpContextFor(const QWidget* focusWidget, const QWidget* window);

// Presses F1 for the program, as the user would: posted to the focused
// control (or the help owner when nothing has the focus) and handled after
// this returns, by whatever handles the user's F1.
void PressHelpKey();

} // namespace ContextIDs
