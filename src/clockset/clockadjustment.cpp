#include "clockset/clockadjustment.h"

#include <QTimeZone>

namespace ClockAdjustment {

namespace {
constexpr qint64 HalfSecondUsec = 500000;
} // namespace

qint64 adjustmentUsec(qint64 receivedUtcMsecs, double lagSeconds, qint64 receiptUtcMsecs)
{
    // Whole milliseconds stay integers; only the lag is rounded.
    return (receivedUtcMsecs - receiptUtcMsecs) * 1000 + qRound64(lagSeconds * 1e6) + HalfSecondUsec;
}

bool isPlausible(const QDateTime& receivedUtc, QDate buildDay)
{
    return receivedUtc.isValid() && buildDay.isValid() && receivedUtc >= buildDay.startOfDay(QTimeZone::utc());
}

QDate buildDay()
{
    return QDate::fromString(QStringLiteral(KORVEL_BUILD_DAY), Qt::ISODate);
}

} // namespace ClockAdjustment
