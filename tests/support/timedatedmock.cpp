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

QStringList TimedatedMock::calls()
{
    // gdbus prints each logged call as (timestamp, 'SetNTP', [<false>, <true>]).
    static const QRegularExpression logged(QStringLiteral(R"('(SetTime|SetNTP)', \[([^\]]*)\])"));
    static const QRegularExpression wrapping(QStringLiteral(R"(<(?:int64 )?([^>]*)>)"));
    QStringList calls;
    const QString log = call(ObjectPath, "GetCalls", {});
    for (const QRegularExpressionMatch& match : logged.globalMatch(log))
        calls.append(match.captured(1) + u' ' + QString(match.captured(2)).replace(wrapping, QStringLiteral("\\1")));
    return calls;
}

void TimedatedMock::setNtp(bool on)
{
    call(ObjectPath, "org.freedesktop.DBus.Properties.Set", {m_service, "NTP", on ? "<true>" : "<false>"});
}

void TimedatedMock::refuseSetTime(const QString& errorName)
{
    replaceMethod("SetTime", "xbb", raising(errorName));
}

void TimedatedMock::refuseSetNtp(const QString& errorName)
{
    replaceMethod("SetNTP", "bb", raising(errorName));
}

void TimedatedMock::holdSetTime(int seconds)
{
    replaceMethod("SetTime", "xbb", QStringLiteral("time.sleep(%1)").arg(seconds));
}

void TimedatedMock::replaceMethod(const char* method, const char* signature, const QString& pythonCode)
{
    call(ObjectPath, "AddMethod", {quoted(m_service), method, signature, "''", quoted(pythonCode)});
}
