#include "support/mockclock.h"
#include "timeclient/datevariant.h"
#include "timeclient/korvelcontrol.h"

#include <QPointF>

#include <gtest/gtest.h>

namespace {
QDateTime wall(int y, int mo, int d, int h, int mi)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi), Qt::UTC);
}

// The process runs in New York's zone; in January the bias is 300 minutes.
class KorvelControlProperties : public testing::Test
{
protected:
    MockClock clock{wall(2026, 1, 15, 17, 0)};
    KorvelControl control;
};
} // namespace

TEST_F(KorvelControlProperties, GmtAndLocalTimeFollowEachOtherByTheZoneBias)
{
    ASSERT_TRUE(control.setGMTTime(wall(2026, 3, 1, 12, 0)));
    EXPECT_EQ(control.LocalTime().toDateTime(), wall(2026, 3, 1, 7, 0));
    ASSERT_TRUE(control.setLocalTime(wall(2026, 3, 1, 22, 30)));
    EXPECT_EQ(control.GMTTime().toDateTime(), wall(2026, 3, 2, 3, 30));

    // Date-compatible values of other kinds: a date, a serial, a date text.
    ASSERT_TRUE(control.setGMTTime(QDate(2026, 3, 1)));
    EXPECT_EQ(control.LocalTime().toDateTime(), wall(2026, 2, 28, 19, 0));
    ASSERT_TRUE(control.setGMTTime(2.5));
    EXPECT_EQ(control.GMTTime().toDateTime(), wall(1900, 1, 1, 12, 0));
    ASSERT_TRUE(control.setLocalTime(QStringLiteral("2026-03-01T07:00:00")));
    EXPECT_EQ(control.GMTTime().toDateTime(), wall(2026, 3, 1, 12, 0));

    // Values that are not dates are refused and change nothing.
    for (const QVariant& bad : {QVariant(QStringLiteral("soon")), QVariant(QPointF(1, 2)), QVariant(),
                                QVariant(std::numeric_limits<double>::quiet_NaN()), QVariant(1e12)}) {
        EXPECT_FALSE(control.setGMTTime(bad)) << bad.typeName();
        EXPECT_FALSE(control.setLocalTime(bad)) << bad.typeName();
    }
    EXPECT_EQ(control.GMTTime().toDateTime(), wall(2026, 3, 1, 12, 0));
    EXPECT_EQ(control.LocalTime().toDateTime(), wall(2026, 3, 1, 7, 0));

    MockClock summer(wall(2026, 7, 1, 12, 0));
    EXPECT_EQ(KorvelControl().ZoneBias(), 240);
}

TEST_F(KorvelControlProperties, SecondaryTimeIsUtcPlusTheOffset)
{
    control.setOffSet(5.5);
    EXPECT_EQ(control.SecondaryTime().toDateTime(), wall(2026, 1, 15, 22, 30));
    clock.advanceMsecs(60'000);
    EXPECT_EQ(control.SecondaryTime().toDateTime(), wall(2026, 1, 15, 22, 31));
}

TEST_F(KorvelControlProperties, SavedStateMatchesKeysWithoutCaseAndLeavesOutDefaults)
{
    EXPECT_TRUE(control.WriteProperties().isEmpty());
    control.ReadProperties({{"HOST", "time.example"}, {"gmttime", wall(2026, 3, 1, 12, 0)},
                            {"LocalTime", "not a date"}, {"lasterror", 7}});
    EXPECT_EQ(control.host(), "time.example");
    // Loading does not apply the zone relation; a damaged value gives its default.
    EXPECT_EQ(control.LocalTime().typeId(), QMetaType::Short);
    EXPECT_EQ(control.LastError().toInt(), 7);

    const QVariantMap saved = control.WriteProperties();
    EXPECT_EQ(saved.keys(), (QStringList{"GMTTime", "Host", "LastError"}));
    KorvelControl reloaded;
    reloaded.ReadProperties(saved);
    EXPECT_EQ(reloaded.WriteProperties(), saved);

    // What a settings file gives back: everything as text, "0" for the defaults.
    control.ReadProperties({{"Host", "0"}, {"LastError", "0"}, {"GMTTime", "0"}, {"LocalTime", "2026-03-01T07:00:00"}});
    EXPECT_EQ(control.LocalTime().toDateTime(), wall(2026, 3, 1, 7, 0));
    EXPECT_EQ(control.WriteProperties().keys(), QStringList{"LocalTime"});
}
