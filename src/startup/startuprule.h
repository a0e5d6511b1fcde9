// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

class OptionStore;

// What the start-up decides before any window exists.
struct StartupState
{
    QString m_sLastUpdate;
    qint32 m_lMinutesElapsed = 0;
    bool m_bStartedWithLoad = false;
    // An unattended start whose next update is far enough away ends here.
    bool leaveAtOnce = false;
};

namespace StartupRule {

// Whole minutes from the stored last-update text to now; nothing when the
// text is not a date. The start-up rule, the scheduler's tick and --status
// all count through here.
std::optional<qint32> minutesSince(const QString& lastUpdate);
// Whole minutes from an instant to now. An instant later than now gives the
// largest count: the clock was set back (or lost its time), so an update is
// due.
qint32 minutesSince(const QDateTime& instant);

// The stored last update and the whole minutes since; a text that is not a
// date is replaced by now, so the interval starts over.
struct LastUpdateReading
{
    QString text;
    qint32 minutesElapsed = 0;
    bool wasDate = false;
};
LastUpdateReading readLastUpdate(OptionStore& store);

// Reads the last update and, for a start with "Load", the options the rule
// needs. Writes "LastUpdate" only when it does not hold a date; writes no
// option.
StartupState Form_Initialize(OptionStore& store, const QString& commandLine);

} // namespace StartupRule
