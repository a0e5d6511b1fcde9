#include "support/timedatedmock.h"

#include "support/privatesystembus.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QString Service = QStringLiteral("org.freedesktop.timedate1");
const QString ObjectPath = QStringLiteral("/org/freedesktop/timedate1");

// `text` as a GVariant string.
QString quoted(QString text)
{
    return '\'' + text.replace('\\', "\\\\").replace('\'', "\\'") + '\'';
}

// Python code raising the D-Bus error `errorName`.
QString raising(const QString& errorName)
{
    return QStringLiteral("raise dbus.exceptions.DBusException(\"refused by the mock\", name=\"%1\")").arg(errorName);
}

} // namespace

TimedatedMock::TimedatedMock(const PrivateSystemBus& bus)
    : m_address(bus.address())
{
    if (!bus.isRunning()) {
        m_error = "no private bus: " + bus.errorText();
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SYSTEM_BUS_ADDRESS", m_address);
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start("/usr/bin/python3", {"-m", "dbusmock", "--system", "--template", "timedated"});
    QProcess wait;
    wait.start("gdbus", {"wait", "--address", m_address, "--timeout", "20", Service});
    if (!m_process.waitForStarted() || !wait.waitForFinished(25000) || wait.exitCode() != 0)
        m_error = "dbusmock did not come up: " + m_process.errorString() + ' ' + wait.readAllStandardError();
}

TimedatedMock::~TimedatedMock()
{
    m_process.terminate();
    m_process.waitForFinished(3000);
}

QList<TimedatedMock::SetTimeCall> TimedatedMock::setTimeCalls()
{
    // gdbus prints each logged call as (timestamp, [<int64 N>, <true>, <false>]).
    static const QRegularExpression arguments(
        QStringLiteral(R"(\[<int64 (-?\d+)>, <(true|false)>, <(true|false)>\])"));
    QList<SetTimeCall> calls;
    const QString log = call("org.freedesktop.DBus.Mock.GetMethodCalls", {"SetTime"});
    for (const QRegularExpressionMatch& match : arguments.globalMatch(log))
        calls.append({match.captured(1).toLongLong(), match.captured(2) == "true", match.captured(3) == "true"});
    return calls;
}

void TimedatedMock::setNtp(bool on)
{
    call("org.freedesktop.DBus.Properties.Set", {Service, "NTP", on ? "<true>" : "<false>"});
}

void TimedatedMock::refuseWhileNtpOn()
{
    replaceSetTime(QStringLiteral("if self.Get(\"%1\", \"NTP\"): %2").arg(Service, raising(AutomaticTimeSyncEnabled)));
}

void TimedatedMock::refuseAuthorisation()
{
    refuseSetTime(NotAuthorized);
}

void TimedatedMock::refuseSetTime(const QString& errorName)
{
    replaceSetTime(raising(errorName));
}

void TimedatedMock::replaceSetTime(const QString& pythonCode)
{
    call("org.freedesktop.DBus.Mock.AddMethod", {quoted(Service), "SetTime", "xbb", "''", quoted(pythonCode)});
}

QString TimedatedMock::call(const QString& method, const QStringList& arguments)
{
    QProcess process;
    process.start("gdbus", QStringList{"call", "--address", m_address, "--dest", Service, "--object-path", ObjectPath,
                                       "--method", method} + arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        ADD_FAILURE() << "gdbus " << qPrintable(method) << " failed: " << process.readAllStandardError().data();
    return QString::fromUtf8(process.readAllStandardOutput());
}
