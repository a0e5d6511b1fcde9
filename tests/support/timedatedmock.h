// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/dbusmock.h"

#include <QList>
#include <QStringList>

// systemd-timedated as peers/private-bus.sh plays it: NTP starts on; SetTime
// refuses with AutomaticTimeSyncEnabled while NTP is on and otherwise
// accepts and changes nothing (no clock is ever touched); SetNTP switches NTP
// and emits PropertiesChanged. Every call is logged either way. The refuse*
// and hold* helpers replace their method for the rest of the mock's life.
class TimedatedMock : public DBusMock
{
public:
    static constexpr const char* AutomaticTimeSyncEnabled = "org.freedesktop.timedate1.AutomaticTimeSyncEnabled";
    static constexpr const char* NotAuthorized = "org.freedesktop.PolicyKit1.Error.NotAuthorized";

    // One SetTime call as timedated received it.
    struct SetTimeCall {
        qint64 usecUtc = 0;
        bool relative = false;
        bool interactive = false;
        bool operator==(const SetTimeCall&) const = default;
    };

    explicit TimedatedMock(const PrivateSystemBus& bus);

    // Every SetTime call so far, refused ones included, oldest first.
    QList<SetTimeCall> setTimeCalls();
    // Every SetTime and SetNTP call so far, in order, with its arguments as
    // gdbus prints them: "SetNTP false, true", "SetTime 1000000, true, true".
    QStringList calls();
    // Switches automatic network time (the NTP property) on or off, as
    // another program would.
    void setNtp(bool on);
    // SetTime (or SetNTP) fails with the D-Bus error `errorName`
    // (NotAuthorized: the user denied or dismissed the authorisation dialog).
    void refuseSetTime(const QString& errorName);
    void refuseSetNtp(const QString& errorName);

    // SetTime answers only after `seconds`, as while the user leaves the
    // authorisation dialog open; the mock answers nothing else meanwhile.
    void holdSetTime(int seconds);

private:
    void replaceMethod(const char* method, const char* signature, const QString& pythonCode);
};
