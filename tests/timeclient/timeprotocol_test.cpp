#include "base/dateserial.h"
#include "support/timeserverfixture.h"
#include "timeclient/timeprotocol.h"

#include <gtest/gtest.h>

namespace {
QDateTime utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}
} // namespace

TEST(TimeProtocol, BytesToDateCoversTheWholeUnsignedRange)
{
    const auto bytes = &TimeServerFixture::bytes;
    EXPECT_DOUBLE_EQ(TimeProtocol::BytesToDate(bytes({0x00, 0x00, 0x00, 0x00})), 2.0);
    const double serial2014 = TimeProtocol::BytesToDate(bytes({0xD6, 0x93, 0xA4, 0x00}));
    EXPECT_NEAR(serial2014, 41668.6667, 1e-4);
    EXPECT_EQ(DateSerial::toDateTime(serial2014), utc(2014, 1, 29, 16, 0, 0));
    EXPECT_EQ(DateSerial::toDateTime(TimeProtocol::BytesToDate(bytes({0xFF, 0xFF, 0xFF, 0xFF}))),
              utc(2036, 2, 7, 6, 28, 15));
    // Only the first four bytes count.
    EXPECT_DOUBLE_EQ(TimeProtocol::BytesToDate(bytes({0, 0, 0, 1, 0xFF})), 2.0 + 1.0 / 86400.0);
}

TEST(TimeProtocol, LagIsHalfTheRoundTripCappedAtOneSecond)
{
    EXPECT_FLOAT_EQ(TimeProtocol::lagSeconds(0), 0.0f);
    EXPECT_FLOAT_EQ(TimeProtocol::lagSeconds(250), 0.125f);
    EXPECT_FLOAT_EQ(TimeProtocol::lagSeconds(2000), 1.0f);
    EXPECT_FLOAT_EQ(TimeProtocol::lagSeconds(5000), 1.0f);
}

TEST(TimeProtocol, GmtToLocalSubtractsTheBiasAcrossDays)
{
    const double noon = DateSerial::fromDateTime(utc(2026, 1, 1, 2, 0, 0));
    EXPECT_EQ(DateSerial::toDateTime(TimeProtocol::GmtToLocal(noon, 300)), utc(2025, 12, 31, 21, 0, 0));
    EXPECT_EQ(DateSerial::toDateTime(TimeProtocol::GmtToLocal(noon, -330)), utc(2026, 1, 1, 7, 30, 0));
}
