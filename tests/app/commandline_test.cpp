#include "app/commandline.h"

#include <gtest/gtest.h>

using CommandLine::GetCommandLineValue;

TEST(CommandLine, ValueIsTheWordAfterTheKeyAndItsSeparator)
{
    EXPECT_EQ(GetCommandLineValue(QStringLiteral("x Load 1"), QStringLiteral("Load"), QStringLiteral(" "), QString()),
              QStringLiteral("1"));
    EXPECT_EQ(GetCommandLineValue(QStringLiteral("a--b--c"), QStringLiteral("b"), QStringLiteral("--"),
                                  QStringLiteral("d")),
              QStringLiteral("c"));
    EXPECT_EQ(GetCommandLineValue(QStringLiteral("1 Load"), QStringLiteral("Load"), QStringLiteral(" "),
                                  QStringLiteral("d")),
              QStringLiteral("d"));

    const char* argv[] = {"/usr/bin/korvel", "x", "Load", "1"};
    EXPECT_EQ(CommandLine::fromArguments(4, argv), QStringLiteral("x Load 1"));
}
