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

#include <utility>

#include <functional>

class OptionStore;
class QObject;
class Form1Design;

// The window's controls as the working copy of the stored options: loads
// them, writes them back, and writes them as the user changes them.
class OptionControls
{
public:
    OptionControls(Form1Design& ui, OptionStore& store);

    // Setting a box's state runs its click handling, as a user's click does.
    void load();
    // Writes the nine options from the controls, never "LastUpdate", but
    // for one edited in the file meanwhile and left as it was in the window.
    // A message for the user when they did not reach the disk.
    QString save();
    // Runs `save` whenever the user (never code) changes an option, so that
    // neither a crash nor a logout loses it.
    void saveOnEveryChange(QObject* context, const std::function<void()>& save);
    // Chooses the stored connection in the entry list; one that is not (yet)
    // in the list keeps its name in the edit field, so saving does not lose it.
    void selectStoredConnection();
    void selectStoredTimeZone();

    // What the controls ask of an update, and of a tick, right now.
    ClockUpdate::Request updateRequest(ClockUpdate::AskedBy askedBy, qint32 minutesElapsed) const;
    UpdateSchedule::TickState tickState(bool startedWithLoad, qint32 minutesElapsed, bool updatesHeld) const;

private:
    // Each option's text as the controls give it, in the order of saving.
    QList<std::pair<OptionKey, QString>> texts() const;
    // Takes the option's control text as the one the file holds.
    void remember(const OptionKey& key);

    Form1Design& ui;
    OptionStore& m_store;
    // Each option's control text when it was loaded or last written.
    QHash<QString, QString> m_written;
};
