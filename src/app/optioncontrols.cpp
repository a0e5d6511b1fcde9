// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/optioncontrols.h"

#include "options/optionconversion.h"
#include "options/optionstore.h"
#include "ui/fittedcheckbox.h"
#include "ui/form1design.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

using namespace OptionConversion;

OptionControls::OptionControls(Form1Design& design, OptionStore& store)
    : ui(design)
    , m_store(store)
{
}

QObject* OptionControls::controlOf(const OptionKey& key) const
{
    return key.control ? ui.clientArea->window()->findChild<QObject*>(QLatin1String(key.control)) : nullptr;
}

void OptionControls::load()
{
    for (const OptionKey& key : Option::all) {
        QObject* control = controlOf(key);
        const QString text = m_store.read(key);
        if (auto* box = qobject_cast<QCheckBox*>(control))
            box->setCheckState(checkState(key, text));
        else if (auto* field = qobject_cast<QLineEdit*>(control))
            field->setText(key.kind == OptionKind::Hours ? UpdateSchedule::hoursText(text) : text);
        else if (auto* item = qobject_cast<QAction*>(control))
            item->setChecked(boolean(key, text));
        if (control)
            remember(key);
    }
}

void OptionControls::selectStored(const OptionKey& key)
{
    auto* list = qobject_cast<QComboBox*>(controlOf(key));
    const QString stored = m_store.read(key);
    const int index = key.kind == OptionKind::ListIndex
        ? listIndex(stored, list->count())
        : list->findText(stored, Qt::MatchExactly | Qt::MatchCaseSensitive);
    // Selecting nothing again would wipe the design text of an empty list.
    if (index != list->currentIndex() || key.kind == OptionKind::Text)
        list->setCurrentIndex(index);
    if (index < 0 && key.kind == OptionKind::Text)
        list->setEditText(stored);
    remember(key);
}

QString OptionControls::textOf(const OptionKey& key) const
{
    QObject* control = controlOf(key);
    if (const auto* box = qobject_cast<QCheckBox*>(control))
        return fromCheckState(box->checkState());
    if (const auto* field = qobject_cast<QLineEdit*>(control))
        return field->text();
    if (const auto* item = qobject_cast<QAction*>(control))
        return fromBoolean(item->isChecked());
    const auto* list = qobject_cast<QComboBox*>(control);
    return key.kind == OptionKind::ListIndex ? fromListIndex(list->currentIndex()) : list->currentText();
}

void OptionControls::remember(const OptionKey& key)
{
    m_written.insert(QLatin1String(key.name), textOf(key));
}

QString OptionControls::save()
{
    // What is on disk now tells which options were edited there meanwhile.
    m_store.sync();
    for (const OptionKey& key : Option::all) {
        if (!key.control)
            continue;
        const QString text = textOf(key);
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
    for (const OptionKey& key : Option::all) {
        QObject* control = controlOf(key);
        if (auto* box = qobject_cast<QCheckBox*>(control))
            QObject::connect(box, &QCheckBox::clicked, context, save);
        else if (auto* field = qobject_cast<QLineEdit*>(control))
            QObject::connect(field, &QLineEdit::editingFinished, context, save);
        else if (auto* item = qobject_cast<QAction*>(control))
            QObject::connect(item, &QAction::triggered, context, save);
        else if (auto* list = qobject_cast<QComboBox*>(control))
            QObject::connect(list, &QComboBox::activated, context, save);
        // A typed entry name is the option; a typed zone name chooses nothing.
        if (key.kind == OptionKind::Text && control)
            QObject::connect(qobject_cast<QComboBox*>(control)->lineEdit(), &QLineEdit::editingFinished, context, save);
    }
}

ClockUpdate::Request OptionControls::updateRequest(ClockUpdate::AskedBy askedBy, qint32 minutesElapsed) const
{
    ClockUpdate::Request request;
    request.askedBy = askedBy;
    request.hoursText = ui.TxtTime->text();
    request.minutesElapsed = minutesElapsed;
    request.autoConnect = enables(ui.chkAutoConnect->checkState());
    request.disconnectWhenDone = acts(ui.ChkDisconnect->checkState());
    request.beep = ui.mnuBeep->isChecked();
    request.entryName = ui.cboEntries->currentText();
    return request;
}

UpdateSchedule::TickState OptionControls::tickState(bool startedWithLoad, qint32 minutesElapsed,
                                                    bool updatesHeld) const
{
    UpdateSchedule::TickState state;
    state.startedWithLoad = startedWithLoad;
    state.unload = ui.chkUnload->checkState();
    state.awayText = ui.txtAway->text();
    state.hoursText = ui.TxtTime->text();
    state.minutesElapsed = minutesElapsed;
    state.automaticUpdates = ui.chkTime->checkState();
    state.automaticUpdatesHeld = updatesHeld;
    return state;
}
