#include "clockset/clocksetterselector.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using ClockSetterSelector::ClockBackend;

TEST(ClockSetterSelectorTest, TheCapabilityDecidesTheBackend)
{
    const struct {
        bool holdsCapability;
        ClockBackend backend;
        const char* name;
    } rows[] = {
        {true, ClockBackend::ClockSettime, "clock_settime"},
        {false, ClockBackend::Timedated, "systemd-timedated"},
    };
    for (const auto& row : rows) {
        const ClockBackend backend = ClockSetterSelector::choose(row.holdsCapability);
        EXPECT_EQ(backend, row.backend) << row.holdsCapability;
        EXPECT_EQ(ClockSetterSelector::create(backend)->name(), row.name);
    }
}

// Whatever this machine grants, the answer must agree with the kernel's own account.
TEST(ClockSetterSelectorTest, CapabilityAgreesWithTheEffectiveSetInProcStatus)
{
    QFile status("/proc/self/status");
    ASSERT_TRUE(status.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(status.readAll());
    const qsizetype at = text.indexOf("CapEff:");
    ASSERT_GE(at, 0);
    bool parsed = false;
    const quint64 effective = text.mid(at + 7).section('\n', 0, 0).trimmed().toULongLong(&parsed, 16);
    ASSERT_TRUE(parsed);
    const int sysTimeBit = 25;
    EXPECT_EQ(ClockSetterSelector::holdsSysTimeCapability(), bool(effective >> sysTimeBit & 1));
}

} // namespace
