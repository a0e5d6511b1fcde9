// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "korvelprogram.h"
#include "loopbacktimeserver.h"
#include "support/xinetdtime.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimeZone>

namespace {
const QDateTime kAnswered(QDate(2026, 12, 5), QTime(22, 29, 41), Qt::UTC);

// `korvel --query [host]` with KORVEL_TIME_SERVERS set to `servers`, or unset.
ProgramRun query(const QStringList& host, const QString& servers = {})
{
    return runKorvel(QStringList{"--query"} + host, {{"KORVEL_TIME_SERVERS", servers}});
}

// Checks "<ISO UTC with milliseconds>Z lag=<text> host=<server>\n"; returns the time.
QDateTime printedTime(const ProgramRun& run, const QString& host)
{
    static const QRegularExpression line(QStringLiteral(
        R"(^(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3})Z lag=\d+(?:[.,]\d+)?(?:E-\d+)? host=(\S+)\n$)"));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const auto match = line.match(run.out);
    EXPECT_TRUE(match.hasMatch()) << run.out.toStdString();
    EXPECT_EQ(match.captured(2), host);
    QDateTime printed = QDateTime::fromString(match.captured(1), Qt::ISODateWithMs);
    printed.setTimeZone(QTimeZone::utc());
    return printed;
}
} // namespace

TEST(KorvelQuery, WithoutHostGoesThroughTheServersUntilOneAnswers)
{
    LoopbackTimeServer server(LoopbackTimeServer::answerFor(kAnswered));
    LoopbackTimeServer unused(LoopbackTimeServer::answerFor(kAnswered));
    const QString servers = LoopbackTimeServer::refusedEntry() + ',' + server.entry() + ',' + unused.entry();
    const QDateTime printed = printedTime(query({}, servers), server.entry());
    // Moved on by the lag, which is far below a second on loopback.
    EXPECT_GE(kAnswered.msecsTo(printed), 0);
    EXPECT_LT(kAnswered.msecsTo(printed), 1000);
    EXPECT_EQ(server.questions(), 1);
    EXPECT_EQ(unused.questions(), 0);
}

// A server that hangs up, a name nobody knows, and four servers whose
// connects give up after 10 seconds each.
TEST(KorvelQuery, FailureSaysSoOnStandardErrorAndExitsOneWithinTheConnectLimits)
{
    LoopbackTimeServer closing{QByteArray()};
    std::unique_ptr<LoopbackTimeServer> blackHoles[] = {LoopbackTimeServer::blackHole(), LoopbackTimeServer::blackHole(),
                                                        LoopbackTimeServer::blackHole(), LoopbackTimeServer::blackHole()};
    QStringList cycle;
    for (const auto& blackHole : blackHoles)
        cycle << blackHole->entry();
    const std::pair<QStringList, QString> queries[] = {
        {{closing.entry()}, {}}, {{"no-such-host.invalid"}, {}}, {{}, cycle.join(u',')}};
    for (const auto& [host, servers] : queries) {
        QProcess process;
        startKorvel(process, QStringList{"--query"} + host, {{"KORVEL_TIME_SERVERS", servers}});
        ASSERT_TRUE(process.waitForFinished(45'000)) << host.join(' ').toStdString();
        EXPECT_EQ(process.exitCode(), 1);
        EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
        EXPECT_EQ(process.readAllStandardError(), "Can't Get Time\n");
    }
    EXPECT_EQ(closing.questions(), 4);
}

TEST(KorvelQuery, AgreesWithXinetdAndTheMachineClock)
{
    const QString server = xinetdTimeEntry();
    if (server.isEmpty())
        GTEST_SKIP() << "KORVEL_XINETD_TIME is not set; start xinetd with scripts/services.sh";
    const QDateTime before = QDateTime::currentDateTimeUtc();
    // xinetd answers in whole seconds.
    EXPECT_LE(qAbs(before.secsTo(printedTime(query({server}), server))), 3);
}

TEST(KorvelCommandLine, HelpAndVersion)
{
    const ProgramRun help = runKorvel({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* mentioned : {"Load 1", "--query", "KORVEL_TIME_SERVERS", "--version"})
        EXPECT_TRUE(help.out.contains(QLatin1String(mentioned))) << mentioned;
    EXPECT_EQ(runKorvel({"--version"}).out, QStringLiteral("korvel %1\n").arg(QLatin1String(KORVEL_VERSION)));
}

TEST(KorvelCommandLine, UnknownOptionsAndADisplayThatCannotBeOpenedEndWithOneMessage)
{
    QTemporaryDir home;
    // Each would otherwise bring up a window that sets the clock when an update is due.
    const EnvironmentChanges window{{"XDG_CONFIG_HOME", home.path()}, {"QT_QPA_PLATFORM", "offscreen"},
                                    {"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent"}};
    for (const QStringList& arguments : {QStringList{"--stauts"}, {"x", "Load", "1", "-v"}}) {
        const ProgramRun run = runKorvel(arguments, window);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("korvel: unknown option " + arguments.last() + "\nUsage: korvel"))
            << run.err.toStdString();
    }
    const ProgramRun run = runKorvel({}, {{"XDG_CONFIG_HOME", home.path()}, {"QT_QPA_PLATFORM", {}},
                                          {"WAYLAND_DISPLAY", {}}, {"DISPLAY", ":99"}});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "korvel: cannot open the display (DISPLAY=:99); the window cannot be shown\n");
}
