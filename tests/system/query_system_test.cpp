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

// "<ISO UTC with milliseconds>Z lag=<text> host=<server>" and one line end.
const QRegularExpression kQueryLine(QStringLiteral(
    R"(^(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3})Z lag=(\d+(?:[.,]\d+)?(?:E-\d+)?) host=(\S+)\n$)"));

QString refusedEntry()
{
    return QStringLiteral("127.0.0.1:%1").arg(TimeServerFixture::refusedPort());
}
} // namespace

TEST(KorvelQuery, PrintsTheReceivedTimeLagAndHost)
{
    TimeServerFixture server({TimeServerFixture::answerFor(kAnswered)});
    const ProgramRun run = korvel({"--query", server.entry()});

    EXPECT_EQ(run.exitCode, 0);
    const auto match = kQueryLine.match(run.out);
    ASSERT_TRUE(match.hasMatch()) << run.out.toStdString();
    QDateTime printed = QDateTime::fromString(match.captured(1), Qt::ISODateWithMs);
    printed.setTimeZone(QTimeZone::utc());
    EXPECT_GE(kAnswered.msecsTo(printed), 0);
    EXPECT_LT(kAnswered.msecsTo(printed), 1000);
    EXPECT_EQ(match.captured(3), server.entry());
    EXPECT_EQ(server.connections(), 1);
}

TEST(KorvelQuery, WithoutHostStartsAtTheFirstServerAndFailsOver)
{
    TimeServerFixture server({TimeServerFixture::answerFor(kAnswered)});
    const ProgramRun run = korvel({"--query"}, refusedEntry() + "," + server.entry());

    EXPECT_EQ(run.exitCode, 0);
    const auto match = kQueryLine.match(run.out);
    ASSERT_TRUE(match.hasMatch()) << run.out.toStdString();
    EXPECT_EQ(match.captured(3), server.entry());
}

TEST(KorvelQuery, FailureSaysSoOnStandardErrorAndExitsOne)
{
    TimeServerFixture closing({});
    const ProgramRun run = korvel({"--query", closing.entry()});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err, "Can't Get Time\n");
    EXPECT_EQ(closing.connections(), 4);

    const ProgramRun unknown = korvel({"--query", "no-such-host.invalid"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.err, "Can't Get Time\n");
}

TEST(KorvelQuery, AgreesWithXinetdAndTheMachineClock)
{
    const QString server = qEnvironmentVariable("KORVEL_XINETD_TIME");
    if (server.isEmpty()) {
        if (qEnvironmentVariable("CI") == QLatin1String("true"))
            FAIL() << "KORVEL_XINETD_TIME is not set; CI must start scripts/services.sh";
        GTEST_SKIP() << "KORVEL_XINETD_TIME is not set; start xinetd with scripts/services.sh";
    }
    const QDateTime before = QDateTime::currentDateTimeUtc();
    const ProgramRun run = korvel({"--query", server});

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const auto match = kQueryLine.match(run.out);
    ASSERT_TRUE(match.hasMatch()) << run.out.toStdString();
    QDateTime printed = QDateTime::fromString(match.captured(1), Qt::ISODateWithMs);
    printed.setTimeZone(QTimeZone::utc());
    EXPECT_LE(qAbs(before.secsTo(printed)), 3);
    EXPECT_EQ(match.captured(3), server);
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
