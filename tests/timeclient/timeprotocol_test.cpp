#include "base/dateserial.h"
#include "timeclient/timeprotocol.h"

#include <gtest/gtest.h>

TEST(TimeProtocol, BytesToDateCoversTheWholeUnsignedRange)
{
    const auto date = [](const char* hex) {
        return DateSerial::toDateTime(TimeProtocol::BytesToDate(QByteArray::fromHex(hex)));
    };
    EXPECT_DOUBLE_EQ(TimeProtocol::BytesToDate(QByteArray(4, 0)), 2.0);
    EXPECT_EQ(date("D693A400"), QDateTime(QDate(2014, 1, 29), QTime(16, 0), Qt::UTC));
    EXPECT_EQ(date("7FFFFFFF"), QDateTime(QDate(1968, 1, 20), QTime(3, 14, 7), Qt::UTC));
    EXPECT_EQ(date("80000000"), QDateTime(QDate(1968, 1, 20), QTime(3, 14, 8), Qt::UTC));
    EXPECT_EQ(date("FFFFFFFF"), QDateTime(QDate(2036, 2, 7), QTime(6, 28, 15), Qt::UTC));
    // Only the first four bytes count.
    EXPECT_DOUBLE_EQ(TimeProtocol::BytesToDate(QByteArray::fromHex("00000001FF")), 2.0 + 1.0 / 86400.0);
}
