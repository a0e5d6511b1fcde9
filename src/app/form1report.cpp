// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form1report.h"

#include "app/statuslog.h"
#include "app/userprompts.h"
#include "app/windowsight.h"
#include "ui/controlenabling.h"
#include "ui/designstyle.h"
#include "ui/form1design.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <utility>

Form1Report::Form1Report(Form1Design& design, UserPrompts& prompts, QWidget* window)
    : ui(design)
    , m_prompts(prompts)
    , m_window(window)
{
}

void Form1Report::controlsBuilt()
{
    m_built = true;
    m_resultPalette = ui.Label1->palette();
    for (const std::function<void()>& change : std::exchange(m_held, {}))
        change();
}

void Form1Report::onControls(std::function<void()> change)
{
    if (m_built)
        change();
    else
        m_held.push_back(std::move(change));
}

void Form1Report::addStatusLine(const LocalizedText& line, bool select)
{
    qCInfo(lcStatus).noquote() << line.english();
    onControls([this, shown = line.shown(), select] {
        ui.lstConnectState->addItem(shown);
        if (select)
            ui.lstConnectState->setCurrentRow(ui.lstConnectState->count() - 1);
        ui.lstConnectState->scrollToBottom();
    });
}

void Form1Report::clearStatusLines()
{
    onControls([this] { ui.lstConnectState->clear(); });
}

void Form1Report::showResult(const QString& caption)
{
    onControls([this, caption] {
        ui.Label1->setPalette(m_resultPalette);
        ui.Label1->setText(caption);
    });
}

void Form1Report::showNotSet(const QString& caption)
{
    onControls([this, caption] {
        // Dark red on the design's light grey, at a contrast of 5.6 : 1.
        DesignStyle::setForeground(ui.Label1, QColor(176, 0, 0));
        ui.Label1->setText(caption);
    });
}

void Form1Report::setSetTimeEnabled(bool enabled)
{
    onControls([this, enabled] { ui.cmdSetTime->setEnabled(enabled); });
}

void Form1Report::showDialUpButtons(bool connectEnabled, bool disconnectShown)
{
    // Korvel's own dial-ups can be hung up from the window: the Disconnect
    // button takes the Connect button's place while one is up.
    onControls([this, connectEnabled, disconnectShown] {
        using namespace ControlEnabling;
        if (connectEnabled)
            EnableControl(ui.CmdConnect);
        else
            DisableControl(ui.CmdConnect);
        if (disconnectShown)
            EnableControl(ui.CmdDisconnect);
        ui.CmdDisconnect->setVisible(disconnectShown);
        ui.CmdConnect->setVisible(!disconnectShown);
    });
}

void Form1Report::addConnectionName(const QString& name)
{
    onControls([this, name] {
        ui.cboEntries->addItem(name);
        ui.cboEntries->setCurrentIndex(ui.cboEntries->count() - 1);
    });
}

void Form1Report::keepFailure(const QString& reason)
{
    // The status line is one line high: the whole reason stays in its tip.
    onControls([this, reason] { ui.lstConnectState->setToolTip(reason); });
}

bool Form1Report::inSight() const
{
    return ::inSight(*m_window);
}

bool Form1Report::askYesNo(const QString& title, const QString& text)
{
    return m_prompts.askYesNo(m_window, title, text);
}

bool Form1Report::askChoice(const QString& title, const QString& text, const QString& accept,
                            const QString& decline)
{
    return m_prompts.askChoice(m_window, title, text, accept, decline);
}

QString Form1Report::askText(const QString& title, const QString& prompt)
{
    return m_prompts.askText(m_window, title, prompt);
}

void Form1Report::beep()
{
    m_prompts.beep();
}
