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
} // namespace

// The process runs in New York's zone: in January the bias is 300 minutes.
TEST(KorvelControlProperties, TimesFollowEachOtherAndRefuseWhatIsNotADate)
{
    MockClock clock(wall(2026, 1, 15, 17, 0));
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
    EXPECT_EQ(control.GMTTime().toDateTime(), wall(2026, 3, 1, 12, 0));
    EXPECT_EQ(control.LocalTime().toDateTime(), wall(2026, 3, 1, 7, 0));
}

TEST(KorvelControlProperties, SecondaryTimeIsUtcPlusTheOffset)
{
    MockClock clock(wall(2026, 1, 15, 17, 0)); // 12:00 local in New York
    KorvelControl control;
    const std::pair<double, QDateTime> cases[] = {{-5, wall(2026, 1, 15, 12, 0)},
                                                  {0, wall(2026, 1, 15, 17, 0)},
                                                  {5.5, wall(2026, 1, 15, 22, 30)}};
    for (const auto& [offset, expected] : cases) {
        control.setOffSet(offset);
        EXPECT_EQ(control.SecondaryTime().toDateTime(), expected) << offset;
    }
}

TEST(KorvelControlProperties, SavedStateLeavesDefaultsOutAndReadsKeysInAnyCase)
{
    MockClock clock(wall(2026, 1, 15, 17, 0));
    KorvelControl control;
    EXPECT_EQ(control.host(), QStringLiteral("0"));
    EXPECT_FALSE(DateVariant::isDateValue(control.LocalTime()));
    EXPECT_TRUE(control.WriteProperties().isEmpty());

    control.ReadProperties({{QStringLiteral("HOST"), QStringLiteral("time.example")},
                            {QStringLiteral("gmttime"), wall(2026, 3, 1, 12, 0)}});
    EXPECT_TRUE(DateVariant::isDateValue(control.GMTTime()));
    const QVariantMap saved = control.WriteProperties();
    EXPECT_EQ(saved.keys(), (QStringList{QStringLiteral("GMTTime"), QStringLiteral("Host")}));
    EXPECT_EQ(saved.value(QStringLiteral("Host")), QStringLiteral("time.example"));
}
