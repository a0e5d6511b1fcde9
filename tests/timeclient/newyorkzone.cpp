#include <QByteArray>

#include <gtest/gtest.h>

#include <ctime>

namespace {
// Runs every test of this program in New York's zone, for a known zone bias:
// 300 minutes in winter, 240 in summer. Set in the process because the test
// runner passes only one environment entry per test.
class NewYorkZone : public testing::Environment
{
public:
    void SetUp() override
    {
        qputenv("TZ", "America/New_York");
        tzset();
    }
};

const auto* const registered = testing::AddGlobalTestEnvironment(new NewYorkZone);
} // namespace
