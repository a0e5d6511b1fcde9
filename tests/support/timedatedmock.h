// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/dbusmock.h"

#include <QList>

// systemd-timedated played by dbusmock's `timedated` template. As the template
// comes, NTP is on and SetTime accepts every call and changes nothing (no
// clock is ever touched); every call is logged either way. The refuse*
// helpers replace SetTime for the rest of the mock's life, the last one wins.
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
    // Switches automatic network time (the NTP property) on or off.
    void setNtp(bool on);
    // SetTime fails with the D-Bus error `errorName` (NotAuthorized: the user
    // denied or dismissed the authorisation dialog).
    void refuseSetTime(const QString& errorName);

    // SetTime answers only after `seconds`, as while the user leaves the
    // authorisation dialog open; the mock answers nothing else meanwhile.
    void holdSetTime(int seconds);

private:
    void replaceSetTime(const QString& pythonCode);
};
