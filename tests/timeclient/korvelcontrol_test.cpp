#include "support/loopbackhttpserver.h"
#include "support/mockclock.h"
#include "support/timeserverfixture.h"
#include "timeclient/datevariant.h"
#include "timeclient/korvelcontrol.h"
#include "timeclient/servercycle.h"

#include <QPointF>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
const QDateTime kAnswered(QDate(2026, 12, 5), QTime(22, 29, 41), Qt::UTC);
const QStringList kOneFailure{"1 Can't Get Time"};

QDateTime wall(int y, int mo, int d, int h, int mi)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi), Qt::UTC);
}

// What one control raised, in order: "Done" or "<number> <text>".
struct Events
{
    explicit Events(KorvelControl& control)
    {
        QObject::connect(&control, &KorvelControl::Done, &control, [this] { raised.append("Done"); });
        QObject::connect(&control, &KorvelControl::Error, &control,
                         [this](QString& text, int& number) { raised.append(QString::number(number) + ' ' + text); });
    }
    QStringList raised;
};

// Makes `entries` the server cycle and starts a control at its first entry.
std::unique_ptr<KorvelControl> controlWithCycle(const QStringList& entries)
{
    qputenv(ServerCycle::kEnvironmentVariable, entries.join(u',').toUtf8());
    auto control = std::make_unique<KorvelControl>();
    control->ReadProperties(KorvelControl::designState());
    qunsetenv(ServerCycle::kEnvironmentVariable);
    return control;
}
} // namespace

TEST(KorvelControlQuery, FourBytesGiveTheTimeMovedOnByTheLag)
{
    TimeServerFixture server(TimeServerFixture::answerFor(kAnswered));
    KorvelControl control;
    control.setHost(server.entry());
    Events events(control);
    const QVariant result = control.GetTime();
    ASSERT_EQ(result.typeId(), QMetaType::Double);
    EXPECT_EQ(events.raised, QStringList{"Done"});
    EXPECT_EQ(control.HostAddress(), "127.0.0.1");
    const qint64 lagMsecs = kAnswered.msecsTo(control.GMTTime().toDateTime());
    EXPECT_NEAR(control.LagTime().toDouble(), lagMsecs / 1000.0, 0.002);
    // The process runs in New York's zone: five hours behind in December.
    EXPECT_EQ(control.LocalTime().toDateTime(), control.GMTTime().toDateTime().addSecs(-5 * 3600));
    EXPECT_DOUBLE_EQ(result.toDouble(), *DateVariant::toSerial(control.LocalTime()));
}

TEST(KorvelControlQuery, AnythingButFourBytesFailsFourAttemptsOnAHostOutsideTheCycle)
{
    // No bytes is a server that closes at once; a silent one keeps each attempt until the time-out.
    for (const auto& [bytes, silent] : {std::pair{0, false}, {2, false}, {5, false}, {4106, false}, {0, true}}) {
        SCOPED_TRACE(testing::Message() << bytes << " bytes" << (silent ? ", silent" : ""));
        TimeServerFixture server(QByteArray(bytes, '\x01'), silent);
        KorvelControl control;
        control.setHost(server.entry());
        Events events(control);
        EXPECT_FALSE(control.GetTime().isValid());
        EXPECT_EQ(server.connections(), KorvelControl::kAttempts);
        EXPECT_EQ(events.raised, kOneFailure);
        EXPECT_EQ(control.host(), server.entry());
        EXPECT_FALSE(DateVariant::isDateValue(control.GMTTime()));
        EXPECT_TRUE(control.LagTime().isEmpty());
    }
}

TEST(KorvelControlQuery, EachRefusedQueryTriesTheWholeCycleOnce)
{
    QStringList cycle;
    for (int i = 0; i < 4; ++i)
        cycle.append(TimeServerFixture::refusedEntry());
    auto control = controlWithCycle(cycle);
    ASSERT_EQ(control->host(), cycle.first());
    Events events(*control);
    QStringList tried;
    QObject::connect(control.get(), &KorvelControl::hostChanged, control.get(), [&] { tried.append(control->host()); });
    const QStringList oneRound{cycle[1], cycle[2], cycle[3], cycle[0]};
    EXPECT_FALSE(control->GetTime().isValid());
    EXPECT_FALSE(control->GetTime().isValid());
    EXPECT_EQ(tried, oneRound + oneRound);
    EXPECT_EQ(events.raised, kOneFailure + kOneFailure);
}

TEST(KorvelControlQuery, SlowRoundTripCapsTheLagAtOneSecond)
{
    MockClock clock(kAnswered);
    TimeServerFixture server(TimeServerFixture::answerFor(kAnswered));
    KorvelControl control;
    control.setHost(server.entry());
    // Runs while the query waits, after the round trip's start was taken.
    QTimer::singleShot(0, &control, [&clock] { clock.advanceMsecs(5000); });
    EXPECT_TRUE(control.GetTime().isValid());
    EXPECT_EQ(control.LagTime(), "1");
    EXPECT_EQ(control.GMTTime().toDateTime(), kAnswered.addSecs(1));
}

TEST(KorvelControlProbe, EachCallAsksTheServerAndWaitsForItsOwnDownload)
{
    LoopbackHttpServer http;
    KorvelControl control;
    control.setProbeUrl(http.url("/bin/search?p="));
    control.setProbePassWait(std::chrono::milliseconds(1));
    EXPECT_TRUE(control.IsConnected());
    EXPECT_EQ(control.ProbeStatus(), KorvelControl::ProbeReachable);
    EXPECT_TRUE(http.lastRequest.startsWith("GET /bin/search?p= HTTP/1.1"));
    // The earlier success must not answer for a server that never replies...
    http.silent = true;
    EXPECT_FALSE(control.IsConnected());
    EXPECT_EQ(control.ProbeStatus(), KorvelControl::ProbePending);
    // ...nor the abandoned stalled download for a later one that succeeds late.
    http.silent = false;
    http.answerDelayMsecs = 300;
    EXPECT_TRUE(control.IsConnected());
    EXPECT_EQ(http.connections, 3);

    control.setProbeUrl(LoopbackHttpServer::closedUrl());
    EXPECT_FALSE(control.IsConnected());
    EXPECT_EQ(control.ProbeStatus(), KorvelControl::ProbeFailed);
}

TEST(KorvelControlProperties, TimesFollowEachOtherAndRefuseWhatIsNotADate)
{
    MockClock clock(wall(2026, 1, 15, 17, 0)); // 12:00 in New York, where the bias is 300 minutes
    KorvelControl control;
    ASSERT_TRUE(control.setLocalTime(wall(2026, 3, 1, 22, 30)));
    EXPECT_EQ(control.GMTTime().toDateTime(), wall(2026, 3, 2, 3, 30));
    // Date-compatible values of other kinds: a date, a serial, a date text.
    ASSERT_TRUE(control.setGMTTime(QDate(2026, 3, 1)));
    EXPECT_EQ(control.LocalTime().toDateTime(), wall(2026, 2, 28, 19, 0));
    ASSERT_TRUE(control.setGMTTime(2.5));
    EXPECT_EQ(control.GMTTime().toDateTime(), wall(1900, 1, 1, 12, 0));
    ASSERT_TRUE(control.setLocalTime(QStringLiteral("2026-03-01T07:00:00")));
    EXPECT_EQ(control.GMTTime().toDateTime(), wall(2026, 3, 1, 12, 0));
    for (const QVariant& bad : {QVariant(QStringLiteral("soon")), QVariant(QPointF(1, 2)), QVariant(),
                                QVariant(std::numeric_limits<double>::quiet_NaN()), QVariant(1e12)}) {
        EXPECT_FALSE(control.setGMTTime(bad)) << bad.typeName();
        EXPECT_FALSE(control.setLocalTime(bad)) << bad.typeName();
    }
    EXPECT_EQ(control.LocalTime().toDateTime(), wall(2026, 3, 1, 7, 0));
    // The secondary time is UTC plus the offset.
    for (const auto& [offset, expected] :
         {std::pair{-5.0, wall(2026, 1, 15, 12, 0)}, {5.5, wall(2026, 1, 15, 22, 30)}}) {
        control.setOffSet(offset);
        EXPECT_EQ(control.SecondaryTime().toDateTime(), expected) << offset;
    }
}

TEST(KorvelControlProperties, SavedStateLeavesDefaultsOutAndReadsKeysInAnyCase)
{
    KorvelControl control;
    EXPECT_EQ(control.host(), QStringLiteral("0"));
    EXPECT_FALSE(DateVariant::isDateValue(control.LocalTime()));
    EXPECT_TRUE(control.WriteProperties().isEmpty());
    control.ReadProperties({{QStringLiteral("HOST"), QStringLiteral("time.example")},
                            {QStringLiteral("gmttime"), wall(2026, 3, 1, 12, 0)}});
    const QVariantMap saved = control.WriteProperties();
    EXPECT_EQ(saved.keys(), (QStringList{QStringLiteral("GMTTime"), QStringLiteral("Host")}));
    EXPECT_EQ(saved.value(QStringLiteral("Host")), QStringLiteral("time.example"));
}
