// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

// The update scheduler's computations, without a window: the countdown text
// and the rules that start an update or end an unattended start. The start-up
// rule, the window and --status all read the hours through here.
namespace UpdateSchedule {

// The scheduler ticks once a minute, the first time one second after load.
inline constexpr int kFirstTickMsecs = 1000;
inline constexpr int kTickMsecs = 60000;

// The fewest hours between automatic updates: an update every minute would
// burden the public time servers and gain nothing.
inline constexpr double MinimumHours = 0.25;

// The hours between updates that an hours text stands for: its leading
// number, raised to the minimum (so also an empty, zero, negative or
// non-numeric text).
double hours(const QString& hoursText);
// The interval in whole minutes, rounded up.
qint32 intervalMinutes(const QString& hoursText);
// What the hours field shows for a text: the hours the schedule uses.
QString hoursText(const QString& typed);

// Where the countdown is shown from: the load step, a tick or an update,
// or the hours box losing the focus.
enum class Variant { AtLoad, Tick, LeaveHours };

struct Countdown
{
    QString caption; // the new caption of the "Unload" check box
    QString toolTip; // the tray tool tip; empty at load, which sets its own
};

// The countdown for `hoursText` hours from `minutesElapsed`, below a minute
// in the seconds of the scheduler timer's interval. While the last update
// did not set the clock, `failure` says why, and the tool tip keeps saying
// it until an update does; while automatic updates are `held`, the tool tip
// says that they wait for the user.
Countdown countdown(Variant variant, const QString& caption, const QString& hoursText, qint32 minutesElapsed,
                    int timerIntervalMsecs, const QString& failure = {}, bool held = false);

// How long until the next update: "1.5 hours", "60.0 minutes", below a
// minute the scheduler timer's interval in seconds, then with a closing
// period when `periodAfterSeconds`.
QString timeLeft(const QString& hoursText, qint32 minutesElapsed, int timerIntervalMsecs,
                 bool periodAfterSeconds = false);

// An update is due once the elapsed minutes reach the interval.
bool isDue(const QString& hoursText, qint32 minutesElapsed);

// Automatic dialling waits until the update is due within a minute.
bool isDueForDialling(const QString& hoursText, qint32 minutesElapsed);

// An unattended start leaves when the next update is `awayText` hours or
// more off: at start-up, before any window exists, and at every tick.
bool leaves(const QString& awayText, const QString& hoursText, qint32 minutesElapsed);

// The pause before the schedule tries again after an update that did not
// set the clock. A reason that a minute will not mend (network time keeps
// the clock, no timedated, a refused authorisation, servers that disagree)
// waits the whole interval; when no server answered (or no connection was
// found), the pauses grow from a minute, doubling with each such update in
// a row, up to the interval.
qint32 retryPauseMinutes(bool serversAnswered, int unansweredInARow, const QString& hoursText);

// What a tick does once the countdown is shown.
enum class TickAction { Leave, Update, Wait };
struct TickState
{
    bool startedWithLoad = false;
    // The "Unload" box: leave an unattended start when the next update is far.
    Qt::CheckState unload = Qt::Unchecked;
    QString awayText;
    QString hoursText;
    qint32 minutesElapsed = 0;
    // The box of automatic updates.
    Qt::CheckState automaticUpdates = Qt::Unchecked;
    // A refused authorisation holds automatic updates until the user asks.
    bool automaticUpdatesHeld = false;
};
TickAction tickAction(const TickState& state);
// Whether the scheduler ticks on after this tick.
bool ticksOn(const TickState& state);
// After an update that set the clock: an unattended start still out of
// sight, with automatic updates off, has nothing more to do and leaves.
bool leavesAfterUpdate(const TickState& state, bool outOfSight);

} // namespace UpdateSchedule
