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

bool OptionControls::built() const
{
    return ui.clientArea != nullptr;
}

QObject* OptionControls::controlOf(const OptionKey& key) const
{
    return key.control ? ui.clientArea->window()->findChild<QObject*>(QLatin1String(key.control)) : nullptr;
}

void OptionControls::load()
{
    for (const OptionKey& key : Option::all) {
        if (!built()) {
            // Lists get theirs when chosen in.
            if (key.control && key.kind != OptionKind::Text && key.kind != OptionKind::ListIndex) {
                m_values.insert(QLatin1String(key.name), shownText(key, m_store.read(key)));
                remember(key);
            }
            continue;
        }
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

void OptionControls::selectStored(const OptionKey& key, int listSize)
{
    if (!built()) {
        m_values.insert(QLatin1String(key.name), shownText(key, m_store.read(key), listSize));
        remember(key);
        return;
    }
    auto* list = qobject_cast<QComboBox*>(controlOf(key));
    const QString stored = m_values.value(QLatin1String(key.name), m_store.read(key));
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

QString OptionControls::shownText(const OptionKey& key, const QString& text, int listSize)
{
    switch (key.kind) {
    case OptionKind::CheckState:
        return fromCheckState(checkState(key, text));
    case OptionKind::Hours:
        return UpdateSchedule::hoursText(text);
    case OptionKind::Boolean:
        return fromBoolean(boolean(key, text));
    case OptionKind::ListIndex:
        return fromListIndex(listIndex(text, listSize));
    case OptionKind::Text:
    case OptionKind::Number:
    case OptionKind::Date:
        break;
    }
    return text;
}

void OptionControls::showInControls()
{
    for (const OptionKey& key : Option::all) {
        QObject* control = controlOf(key);
        const QString text = m_values.value(QLatin1String(key.name));
        if (auto* box = qobject_cast<QCheckBox*>(control))
            box->setCheckState(checkState(key, text));
        else if (auto* field = qobject_cast<QLineEdit*>(control))
            field->setText(text);
        else if (auto* item = qobject_cast<QAction*>(control))
            item->setChecked(boolean(key, text));
        else if (control)
            selectStored(key);
    }
    m_values.clear();
}

QString OptionControls::text(const OptionKey& key) const
{
    return built() ? textOf(key) : m_values.value(QLatin1String(key.name));
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
    m_written.insert(QLatin1String(key.name), text(key));
}

QString OptionControls::save()
{
    // What is on disk now tells which options were edited there meanwhile.
    m_store.sync();
    for (const OptionKey& key : Option::all) {
        if (!key.control)
            continue;
        const QString text = this->text(key);
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

Qt::CheckState OptionControls::checkStateOf(const OptionKey& key) const
{
    return checkState(key, text(key));
}

ClockUpdate::Request OptionControls::updateRequest(ClockUpdate::AskedBy askedBy, qint32 minutesElapsed) const
{
    ClockUpdate::Request request;
    request.askedBy = askedBy;
    request.hoursText = text(Option::CheckTime);
    request.minutesElapsed = minutesElapsed;
    request.autoConnect = enables(checkStateOf(Option::CheckAuto));
    request.disconnectWhenDone = acts(checkStateOf(Option::Disconnect));
    request.beep = boolean(Option::Beep, text(Option::Beep));
    request.entryName = text(Option::Connection);
    return request;
}

UpdateSchedule::TickState OptionControls::tickState(bool startedWithLoad, qint32 minutesElapsed,
                                                    bool updatesHeld) const
{
    UpdateSchedule::TickState state;
    state.startedWithLoad = startedWithLoad;
    state.unload = checkStateOf(Option::Unload);
    state.awayText = text(Option::TimeAway);
    state.hoursText = text(Option::CheckTime);
    state.minutesElapsed = minutesElapsed;
    state.automaticUpdates = checkStateOf(Option::CheckEvery);
    state.automaticUpdatesHeld = updatesHeld;
    return state;
}
