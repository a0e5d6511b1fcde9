// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "options/optionkey.h"
#include "schedule/updateschedule.h"
#include "update/clockupdate.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <utility>

class Form1Design;
class OptionStore;
class QObject;

// The window's controls as the working copy of the stored options: loads
// them, writes them back, and writes them as the user changes them. Which
// control holds which option, and how its text reads, is the option table's
// (optionkey.h): a check box holds a state, an edit field a text, a list its
// entry's text or its place, a menu item a flag. Until the window is built
// (a start into the tray), the working copy is the texts those controls
// would give, and it goes into the controls when they are built.
class OptionControls
{
public:
    OptionControls(Form1Design& ui, OptionStore& store);

    // Loads every option but those of the lists, which are filled later.
    // Setting a box's state runs its click handling, as a user's click does.
    void load();
    // Chooses a list's stored entry (by text or by place) once the list is
    // filled. An entry text that is not (yet) in the list stays in the edit
    // field, so saving does not lose it.
    // Before the window is built, a place is checked against `listSize`.
    void selectStored(const OptionKey& key, int listSize = 0);
    // Puts the working copy into the controls just built, the lists filled.
    void showInControls();
    // The option's text as its control gives it (or would).
    QString text(const OptionKey& key) const;
    // Writes the options from the controls, never "LastUpdate", but for one
    // edited in the file meanwhile and left as it was in the window. A
    // message for the user when they did not reach the disk.
    QString save();
    // Runs `save` whenever the user (never code) changes an option, so that
    // neither a crash nor a logout loses it.
    void saveOnEveryChange(QObject* context, const std::function<void()>& save);

    // What the controls ask of an update, and of a tick, right now.
    ClockUpdate::Request updateRequest(ClockUpdate::AskedBy askedBy, qint32 minutesElapsed) const;
    UpdateSchedule::TickState tickState(bool startedWithLoad, qint32 minutesElapsed, bool updatesHeld) const;

private:
    bool built() const;
    QObject* controlOf(const OptionKey& key) const;
    QString textOf(const OptionKey& key) const;
    // The text a control of `key`'s kind shows for the stored `text`.
    static QString shownText(const OptionKey& key, const QString& text, int listSize = 0);
    Qt::CheckState checkStateOf(const OptionKey& key) const;
    // Takes the option's control text as the one the file holds.
    void remember(const OptionKey& key);

    Form1Design& ui;
    OptionStore& m_store;
    // Each option's control text when it was loaded or last written.
    QHash<QString, QString> m_written;
    // The working copy while the window is not built.
    QHash<QString, QString> m_values;
};
