// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "update/updatereport.h"

#include <QPalette>

class Form1Design;
class QWidget;
class UserPrompts;

// The window's side of an update: status lines, the result caption, the
// buttons, and the user's answers, on the main window's controls. The
// window is in sight when it is shown and not minimised (in the tray, or
// on the taskbar where there is no tray).
class Form1Report : public UpdateReport
{
public:
    Form1Report(Form1Design& ui, UserPrompts& prompts, QWidget* window);

    void addStatusLine(const LocalizedText& line, bool select = true) override;
    void clearStatusLines() override;
    void showResult(const QString& caption) override;
    void showNotSet(const QString& caption) override;
    void setSetTimeEnabled(bool enabled) override;
    void showDialUpButtons(bool connectEnabled, bool disconnectShown) override;
    void addConnectionName(const QString& name) override;
    void keepFailure(const QString& reason) override;
    bool inSight() const override;
    bool askYesNo(const QString& title, const QString& text) override;
    bool askChoice(const QString& title, const QString& text, const QString& accept, const QString& decline) override;
    QString askText(const QString& title, const QString& prompt) override;
    void beep() override;

private:
    Form1Design& ui;
    UserPrompts& m_prompts;
    QWidget* m_window;
    // The result caption's design colours, for every result but a failure.
    QPalette m_resultPalette;
};
