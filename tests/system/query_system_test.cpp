#include "support/timeserverfixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace {
const QDateTime kAnswered(QDate(2026, 12, 5), QTime(22, 29, 41), Qt::UTC);

struct ProgramRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the real program; `servers` becomes KORVEL_TIME_SERVERS when given.
ProgramRun korvel(const QStringList& arguments, const QString& servers = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("KORVEL_TIME_SERVERS"));
    if (!servers.isEmpty())
        environment.insert(QStringLiteral("KORVEL_TIME_SERVERS"), servers);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KORVEL_BINARY), arguments);
    EXPECT_TRUE(process.waitForFinished(30'000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
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

TEST(KorvelQuery, WithoutHostStartsAtTheFirstServerAndPrintsTheOneThatAnswered)
{
    TimeServerFixture server(TimeServerFixture::answerFor(kAnswered));
    const QDateTime printed = printedTime(korvel({"--query"}, TimeServerFixture::refusedEntry() + "," + server.entry()),
                                          server.entry());
    EXPECT_GE(kAnswered.msecsTo(printed), 0);
    EXPECT_LT(kAnswered.msecsTo(printed), 1000);
    EXPECT_EQ(server.connections(), 1);
}

TEST(KorvelQuery, FailureSaysSoOnStandardErrorAndExitsOne)
{
    TimeServerFixture closing({});
    for (const QString& host : {closing.entry(), QStringLiteral("no-such-host.invalid")}) {
        const ProgramRun run = korvel({"--query", host});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err, "Can't Get Time\n");
    }
    EXPECT_EQ(closing.connections(), 4);
}

TEST(KorvelQuery, AgreesWithXinetdAndTheMachineClock)
{
    const QString server = TimeServerFixture::xinetdEntry();
    if (server.isEmpty())
        GTEST_SKIP() << "KORVEL_XINETD_TIME is not set; start xinetd with scripts/services.sh";
    const QDateTime before = QDateTime::currentDateTimeUtc();
    EXPECT_LE(qAbs(before.secsTo(printedTime(korvel({"--query", server}), server))), 3);
}

TEST(KorvelCommandLine, HelpAndVersion)
{
    const ProgramRun help = korvel({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* mentioned : {"Load 1", "--query", "KORVEL_TIME_SERVERS", "--version"})
        EXPECT_TRUE(help.out.contains(QLatin1String(mentioned))) << mentioned;

    const ProgramRun version = korvel({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("korvel %1\n").arg(QStringLiteral(KORVEL_VERSION)));
}
