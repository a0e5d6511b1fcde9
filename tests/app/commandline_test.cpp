#include "app/commandline.h"

#include <gtest/gtest.h>

using CommandLine::GetCommandLineValue;

TEST(CommandLine, OnlyLoadFollowedByAWordMarksAnUnattendedStart)
{
    const auto load = [](const char* text) {
        return GetCommandLineValue(QLatin1String(text), QStringLiteral("Load"), QStringLiteral(" "), QString());
    };
    EXPECT_EQ(load("Load 1"), QStringLiteral("1"));
    EXPECT_EQ(load("x Load 1"), QStringLiteral("1"));
    for (const char* text : {"", "Load", "load 1", "/Load 1", "Load  1", "1 Load"})
        EXPECT_TRUE(load(text).isEmpty()) << text;
    EXPECT_EQ(GetCommandLineValue(QStringLiteral("a--b--c"), QStringLiteral("b"), QStringLiteral("--"),
                                  QStringLiteral("d")),
              QStringLiteral("c"));
    EXPECT_EQ(GetCommandLineValue(QStringLiteral("a b"), QStringLiteral("a"), QString(), QStringLiteral("d")),
              QStringLiteral("d"));

    const char* argv[] = {"/usr/bin/korvel", "x", "Load", "1"};
    EXPECT_EQ(CommandLine::fromArguments(4, argv), QStringLiteral("x Load 1"));
}
