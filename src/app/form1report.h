// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "update/updatereport.h"

#include <QPalette>

#include <functional>
#include <vector>

class Form1Design;
class QWidget;
class UserPrompts;

// The window's side of an update: status lines, the result caption, the
// buttons, and the user's answers, on the main window's controls. The
// window is in sight when it is shown and not minimised (in the tray, or
// on the taskbar where there is no tray). Until the window is built, what
// the controls would show is held and shown when they are built.
class Form1Report : public UpdateReport
{
public:
    Form1Report(Form1Design& ui, UserPrompts& prompts, QWidget* window);

    // The window's controls have just been built: they show what was held.
    void controlsBuilt();

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
    // Changes `change` makes to the controls, now or once they are built.
    void onControls(std::function<void()> change);

    Form1Design& ui;
    UserPrompts& m_prompts;
    QWidget* m_window;
    // The result caption's design colours, for every result but a failure.
    QPalette m_resultPalette;
    bool m_built = false;
    std::vector<std::function<void()>> m_held;
};
