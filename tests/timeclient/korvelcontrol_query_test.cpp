#include "base/dateserial.h"
#include "support/mockclock.h"
#include "support/timeserverfixture.h"
#include "timeclient/datevariant.h"
#include "timeclient/korvelcontrol.h"
#include "timeclient/servercycle.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

namespace {
const QDateTime kAnswered(QDate(2026, 12, 5), QTime(22, 29, 41), Qt::UTC);

TimeServerFixture::Behaviour answering(const QDateTime& utc = kAnswered, int delayMsecs = 0)
{
    return {TimeServerFixture::answerFor(utc), delayMsecs, false};
}

QString refusedEntry()
{
    return QStringLiteral("127.0.0.1:%1").arg(TimeServerFixture::refusedPort());
}

// Records the events of one control.
struct Events
{
    explicit Events(KorvelControl& control)
    {
        QObject::connect(&control, &KorvelControl::Done, &control, [this] { ++done; });
        QObject::connect(&control, &KorvelControl::AsyncError, &control,
                         [this](int& code) { asyncErrors.append(code); });
        QObject::connect(&control, &KorvelControl::Error, &control, [this](QString& text, int& number) {
            errorTexts.append(text);
            errorNumbers.append(number);
        });
    }
    int done = 0;
    QList<int> asyncErrors;
    QStringList errorTexts;
    QList<int> errorNumbers;
};

class KorvelControlQuery : public testing::Test
{
protected:
    void TearDown() override { qunsetenv(ServerCycle::kEnvironmentVariable); }
    // Makes `entries` the cycle and starts the control at its first entry.
    std::unique_ptr<KorvelControl> controlWithCycle(const QStringList& entries)
    {
        qputenv(ServerCycle::kEnvironmentVariable, entries.join(u',').toUtf8());
        auto control = std::make_unique<KorvelControl>();
        control->ReadProperties(KorvelControl::designState());
        return control;
    }
};

// Start-up and clean-up that fail, to show how the query reports them.
class FailingSocketLayer : public SocketLayer
{
public:
    bool StartSockets() override { return false; }
    bool EndSockets() override
    {
        SocketLayer::EndSockets();
        return false;
    }
};
} // namespace

TEST_F(KorvelControlQuery, FourBytesGiveTheTimeAndDoneWhileTheConnectionIsOpen)
{
    TimeServerFixture server(answering());
    KorvelControl control;
    control.setHost(server.entry());
    Events events(control);
    int closedDuringDone = -1;
    QObject::connect(&control, &KorvelControl::Done, &control, [&] {
        closedDuringDone = server.closedByClient();
        EXPECT_TRUE(DateVariant::isDateValue(control.GMTTime()));
    });

    const QVariant result = control.GetTime();

    ASSERT_EQ(result.typeId(), QMetaType::Double);
    EXPECT_EQ(events.done, 1);
    EXPECT_TRUE(events.errorNumbers.isEmpty());
    EXPECT_EQ(closedDuringDone, 0);
    EXPECT_EQ(control.host(), server.entry());
    // Lag on loopback is far below a second and moves the time forward.
    const qint64 lagMsecs = kAnswered.msecsTo(control.GMTTime().toDateTime());
    EXPECT_GE(lagMsecs, 0);
    EXPECT_LT(lagMsecs, 1000);
    EXPECT_NEAR(control.LagTime().toDouble(), lagMsecs / 1000.0, 0.002);
    // New York in December: five hours behind.
    EXPECT_EQ(control.ZoneBias(), 300);
    EXPECT_EQ(control.LocalTime().toDateTime(), control.GMTTime().toDateTime().addSecs(-5 * 3600));
    EXPECT_DOUBLE_EQ(result.toDouble(), *DateVariant::toSerial(control.LocalTime()));
    EXPECT_EQ(control.HostAddress(), "127.0.0.1");
}

class KorvelControlWrongAnswer : public KorvelControlQuery,
                                 public testing::WithParamInterface<int>
{
};

TEST_P(KorvelControlWrongAnswer, FailsFourAttemptsOnAHostOutsideTheCycle)
{
    TimeServerFixture server({QByteArray(GetParam(), '\x01')});
    KorvelControl control;
    control.setHost(server.entry());
    Events events(control);

    EXPECT_FALSE(control.GetTime().isValid());

    EXPECT_EQ(server.connections(), KorvelControl::kAttempts);
    EXPECT_EQ(events.done, 0);
    EXPECT_EQ(events.errorTexts, QStringList{"Can't Get Time"});
    EXPECT_EQ(events.errorNumbers, QList<int>{1});
    EXPECT_EQ(control.host(), server.entry());
    EXPECT_FALSE(DateVariant::isDateValue(control.GMTTime()));
    EXPECT_TRUE(control.LagTime().isEmpty());
}

// No bytes is a server that closes at once.
INSTANTIATE_TEST_SUITE_P(Sizes, KorvelControlWrongAnswer, testing::Values(0, 2, 5, 4096 + 10),
                         [](const auto& info) { return "Bytes" + std::to_string(info.param); });

TEST_F(KorvelControlQuery, SilentServerFailsEachAttemptAfterTheTimeOut)
{
    TimeServerFixture::Behaviour silent;
    silent.silent = true;
    TimeServerFixture server(silent);
    KorvelControl control;
    control.setHost(server.entry());
    Events events(control);

    EXPECT_FALSE(control.GetTime().isValid());
    EXPECT_EQ(server.connections(), KorvelControl::kAttempts);
    EXPECT_EQ(events.errorNumbers, QList<int>{1});
}

TEST_F(KorvelControlQuery, TwoFailingQueriesEachTryTheWholeCycleOnce)
{
    const QStringList cycle{refusedEntry(), refusedEntry(), refusedEntry(), refusedEntry()};
    auto control = controlWithCycle(cycle);
    ASSERT_EQ(control->host(), cycle.first());
    Events events(*control);
    QStringList tried;
    QObject::connect(control.get(), &KorvelControl::hostChanged, control.get(),
                     [&] { tried.append(control->host()); });

    EXPECT_FALSE(control->GetTime().isValid());
    EXPECT_EQ(tried, (QStringList{cycle[1], cycle[2], cycle[3], cycle[0]}));
    EXPECT_EQ(events.errorNumbers, QList<int>{1});

    EXPECT_FALSE(control->GetTime().isValid());
    EXPECT_EQ(tried.size(), 8);
    EXPECT_EQ(control->host(), cycle.first());
    EXPECT_EQ(events.errorNumbers, (QList<int>{1, 1}));
    EXPECT_EQ(events.done, 0);
}

TEST_F(KorvelControlQuery, FourthAttemptSucceedsAndTheHostStaysAtTheServerThatAnswered)
{
    TimeServerFixture first({}, "127.0.0.1");
    TimeServerFixture second({"ab"}, "127.0.0.2");
    TimeServerFixture third({"abcdef"}, "127.0.0.3");
    TimeServerFixture fourth(answering(), "127.0.0.4");
    auto control = controlWithCycle({first.entry(), second.entry(), third.entry(), fourth.entry()});
    Events events(*control);

    EXPECT_TRUE(control->GetTime().isValid());
    EXPECT_EQ(control->host(), fourth.entry());
    EXPECT_EQ(control->HostAddress(), "127.0.0.4");
    for (const TimeServerFixture* server : {&first, &second, &third, &fourth})
        EXPECT_EQ(server->connections(), 1);
    EXPECT_EQ(events.done, 1);
    EXPECT_TRUE(events.errorNumbers.isEmpty());
}

TEST_F(KorvelControlQuery, UnresolvableNameRaisesOneErrorAndKeepsTheHost)
{
    TimeServerFixture unused(answering());
    auto control = controlWithCycle({"no-such-host.invalid", unused.entry()});
    Events events(*control);

    EXPECT_FALSE(control->GetTime().isValid());
    EXPECT_EQ(events.errorTexts, QStringList{"Can't Get Time"});
    EXPECT_EQ(events.errorNumbers, QList<int>{1});
    EXPECT_EQ(control->host(), "no-such-host.invalid");
    EXPECT_EQ(control->HostAddress(), "255.255.255.255");
    EXPECT_EQ(unused.connections(), 0);
}

TEST_F(KorvelControlQuery, SlowRoundTripCapsTheLagAtOneSecond)
{
    MockClock clock(kAnswered);
    TimeServerFixture server(answering());
    KorvelControl control;
    control.setHost(server.entry());
    // Runs while the query waits, after the round trip's start was taken.
    QTimer::singleShot(0, &control, [&clock] { clock.advanceMsecs(5000); });

    EXPECT_TRUE(control.GetTime().isValid());
    EXPECT_EQ(control.LagTime(), "1");
    EXPECT_EQ(control.GMTTime().toDateTime(), kAnswered.addSecs(1));
}

TEST_F(KorvelControlQuery, FailedStartAndCleanUpAreReportedAndTheQueryGoesOn)
{
    KorvelControl control(std::make_unique<FailingSocketLayer>());
    control.setHost(refusedEntry());
    Events events(control);

    EXPECT_FALSE(control.GetTime().isValid());
    EXPECT_EQ(events.asyncErrors.size(), KorvelControl::kAttempts);
    EXPECT_EQ(events.errorNumbers, (QList<int>{2, 2, 2, 2, 1}));
    EXPECT_EQ(events.errorTexts.first(),
              "Korvel failed to cleanup the WinSock Interface.Please check your systems configuration.");
}
