// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/optioncontrols.h"

#include "options/optionconversion.h"
#include "options/optionstore.h"
#include "schedule/updateschedule.h"
#include "ui/fittedcheckbox.h"
#include "ui/form1design.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <cstring>

OptionControls::OptionControls(Form1Design& design, OptionStore& store)
    : ui(design)
    , m_store(store)
{
}

void OptionControls::load()
{
    using namespace OptionConversion;
    ui.TxtTime->setText(UpdateSchedule::hoursText(m_store.read(Option::CheckTime)));
    ui.chkAutoConnect->setCheckState(checkState(Option::CheckAuto, m_store.read(Option::CheckAuto)));
    ui.ChkDisconnect->setCheckState(checkState(Option::Disconnect, m_store.read(Option::Disconnect)));
    ui.txtAway->setText(m_store.read(Option::TimeAway));
    ui.chkTime->setCheckState(checkState(Option::CheckEvery, m_store.read(Option::CheckEvery)));
    ui.chkUnload->setCheckState(checkState(Option::Unload, m_store.read(Option::Unload)));
    ui.mnuBeep->setChecked(boolean(Option::Beep, m_store.read(Option::Beep)));
    for (const auto& [key, text] : texts())
        m_written.insert(QLatin1String(key.name), text);
}

QList<std::pair<OptionKey, QString>> OptionControls::texts() const
{
    using namespace OptionConversion;
    return {{Option::Connection, ui.cboEntries->currentText()},
            {Option::CheckEvery, fromCheckState(ui.chkTime->checkState())},
            {Option::CheckTime, ui.TxtTime->text()},
            {Option::CheckAuto, fromCheckState(ui.chkAutoConnect->checkState())},
            {Option::Disconnect, fromCheckState(ui.ChkDisconnect->checkState())},
            {Option::Unload, fromCheckState(ui.chkUnload->checkState())},
            {Option::TimeAway, ui.txtAway->text()},
            {Option::Beep, fromBoolean(ui.mnuBeep->isChecked())},
            {Option::TimeZone, fromListIndex(ui.cboTimeZone->currentIndex())}};
}

void OptionControls::remember(const OptionKey& key)
{
    for (const auto& [option, text] : texts()) {
        if (std::strcmp(option.name, key.name) == 0)
            m_written.insert(QLatin1String(key.name), text);
    }
}

QString OptionControls::save()
{
    // What is on disk now tells which options were edited there meanwhile.
    m_store.sync();
    for (const auto& [key, text] : texts()) {
        // An option the window left as it was keeps a value edited in the
        // file meanwhile, in whatever spelling.
        if (m_written.value(QLatin1String(key.name)) == text && m_store.editedMeanwhile(key))
            continue;
        m_store.write(key, text);
        m_written.insert(QLatin1String(key.name), text);
    }
    return m_store.sync();
}

void OptionControls::saveOnEveryChange(QObject* context, const std::function<void()>& save)
{
    for (QCheckBox* box :
         std::initializer_list<QCheckBox*>{ui.chkTime, ui.chkAutoConnect, ui.ChkDisconnect, ui.chkUnload})
        QObject::connect(box, &QCheckBox::clicked, context, save);
    for (QLineEdit* field : std::initializer_list<QLineEdit*>{ui.TxtTime, ui.txtAway, ui.cboEntries->lineEdit()})
        QObject::connect(field, &QLineEdit::editingFinished, context, save);
    QObject::connect(ui.cboEntries, &QComboBox::activated, context, save);
    QObject::connect(ui.cboTimeZone, &QComboBox::activated, context, save);
    QObject::connect(ui.mnuBeep, &QAction::triggered, context, save);
}

void OptionControls::selectStoredConnection()
{
    const QString stored = m_store.read(Option::Connection);
    const int index = ui.cboEntries->findText(stored, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ui.cboEntries->setCurrentIndex(index);
    if (index < 0)
        ui.cboEntries->setEditText(stored);
    remember(Option::Connection);
}

void OptionControls::selectStoredTimeZone()
{
    const int index = OptionConversion::listIndex(m_store.read(Option::TimeZone), ui.cboTimeZone->count());
    // Selecting nothing again would wipe the design text of an empty list.
    if (index != ui.cboTimeZone->currentIndex())
        ui.cboTimeZone->setCurrentIndex(index);
    remember(Option::TimeZone);
}

ClockUpdate::Request OptionControls::updateRequest(ClockUpdate::AskedBy askedBy, qint32 minutesElapsed) const
{
    ClockUpdate::Request request;
    request.askedBy = askedBy;
    request.hoursText = ui.TxtTime->text();
    request.minutesElapsed = minutesElapsed;
    request.autoConnect = ui.chkAutoConnect->checkState() != Qt::Unchecked;
    request.disconnectWhenDone = ui.ChkDisconnect->checkState() == Qt::Checked;
    request.beep = ui.mnuBeep->isChecked();
    request.entryName = ui.cboEntries->currentText();
    return request;
}

UpdateSchedule::TickState OptionControls::tickState(bool startedWithLoad, qint32 minutesElapsed,
                                                    bool updatesHeld) const
{
    UpdateSchedule::TickState state;
    state.startedWithLoad = startedWithLoad;
    state.unloadChecked = ui.chkUnload->checkState() == Qt::Checked;
    state.awayText = ui.txtAway->text();
    state.hoursText = ui.TxtTime->text();
    state.minutesElapsed = minutesElapsed;
    // Only a tick: the grayed state enables the fields but updates nothing.
    state.automaticUpdatesOn = ui.chkTime->checkState() == Qt::Checked;
    state.automaticUpdatesHeld = updatesHeld;
    return state;
}
