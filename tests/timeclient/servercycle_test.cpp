#include "timeclient/servercycle.h"

#include <gtest/gtest.h>

TEST(ServerCycle, ParseKeepsValidEntriesAndDropsTheRest)
{
    EXPECT_EQ(ServerCycle::parse(QStringLiteral(" a.example , 127.0.0.1:3737,b:65535")),
              (QStringList{"a.example", "127.0.0.1:3737", "b:65535"}));
    EXPECT_EQ(ServerCycle::parse(QStringLiteral("a,,b:0,c:65536,d:x,:37,e:1:2,f")),
              (QStringList{"a", "f"}));
    EXPECT_EQ(ServerCycle::parse(QStringLiteral("a,b,c,d,e")), (QStringList{"a", "b", "c", "d"}));
    EXPECT_TRUE(ServerCycle::parse(QStringLiteral("")).isEmpty());
}

TEST(ServerCycle, EnvironmentReplacesTheBuiltInCycleOnlyWithValidEntries)
{
    const QStringList builtIn = ServerCycle::builtIn();
    ASSERT_EQ(builtIn.size(), 4);
    EXPECT_EQ(ServerCycle::fromEnvironment(), builtIn);
    qputenv(ServerCycle::kEnvironmentVariable, "127.0.0.1:3737,localhost");
    EXPECT_EQ(ServerCycle::fromEnvironment(), (QStringList{"127.0.0.1:3737", "localhost"}));
    qputenv(ServerCycle::kEnvironmentVariable, " , x:0");
    EXPECT_EQ(ServerCycle::fromEnvironment(), builtIn);
    qunsetenv(ServerCycle::kEnvironmentVariable);
}

TEST(ServerCycle, SuccessorMatchesWholeEntriesCaseSensitivelyAndWraps)
{
    const QStringList cycle{"s1", "s2", "s3", "s4"};
    EXPECT_EQ(ServerCycle::successor(cycle, "s1"), "s2");
    EXPECT_EQ(ServerCycle::successor(cycle, "s4"), "s1");
    EXPECT_EQ(ServerCycle::successor(cycle, "S1"), "S1");
    EXPECT_EQ(ServerCycle::successor(cycle, "s1 "), "s1 ");
    EXPECT_EQ(ServerCycle::successor({"only"}, "only"), "only");
}

TEST(ServerCycle, SplitSeparatesAValidPortOnly)
{
    const auto withPort = ServerCycle::split("127.0.0.1:3737");
    EXPECT_EQ(withPort.name, "127.0.0.1");
    EXPECT_EQ(withPort.port, 3737);
    EXPECT_EQ(ServerCycle::split("time.example").port, std::nullopt);
    EXPECT_EQ(ServerCycle::split("time.example:99999").name, "time.example:99999");
    EXPECT_EQ(ServerCycle::split("time.example:99999").port, std::nullopt);
}
