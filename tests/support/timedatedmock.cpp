// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/timedatedmock.h"

#include <QRegularExpression>

namespace {

const QString ObjectPath = QStringLiteral("/org/freedesktop/timedate1");

// Python code raising the D-Bus error `errorName`.
QString raising(const QString& errorName)
{
    return QStringLiteral("raise dbus.exceptions.DBusException(\"refused by the mock\", name=\"%1\")").arg(errorName);
}

} // namespace

TimedatedMock::TimedatedMock(const PrivateSystemBus& bus)
    : DBusMock(bus, "timedated", QStringLiteral("org.freedesktop.timedate1"))
{
}

QList<TimedatedMock::SetTimeCall> TimedatedMock::setTimeCalls()
{
    // gdbus prints each logged call as (timestamp, [<int64 N>, <true>, <false>]).
    static const QRegularExpression arguments(
        QStringLiteral(R"(\[<int64 (-?\d+)>, <(true|false)>, <(true|false)>\])"));
    QList<SetTimeCall> calls;
    const QString log = call(ObjectPath, "GetMethodCalls", {"SetTime"});
    for (const QRegularExpressionMatch& match : arguments.globalMatch(log))
        calls.append({match.captured(1).toLongLong(), match.captured(2) == "true", match.captured(3) == "true"});
    return calls;
}

void TimedatedMock::setNtp(bool on)
{
    call(ObjectPath, "org.freedesktop.DBus.Properties.Set", {m_service, "NTP", on ? "<true>" : "<false>"});
}

void TimedatedMock::refuseSetTime(const QString& errorName)
{
    replaceSetTime(raising(errorName));
}

void TimedatedMock::holdSetTime(int seconds)
{
    replaceSetTime(QStringLiteral("time.sleep(%1)").arg(seconds));
}

void TimedatedMock::replaceSetTime(const QString& pythonCode)
{
    call(ObjectPath, "AddMethod", {quoted(m_service), "SetTime", "xbb", "''", quoted(pythonCode)});
}
