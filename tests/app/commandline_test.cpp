#include "app/commandline.h"

#include <gtest/gtest.h>

namespace {
QString loadValue(const QString& commandLine)
{
    return CommandLine::GetCommandLineValue(commandLine, QStringLiteral("Load"), QStringLiteral(" "),
                                            QString());
}
} // namespace

TEST(CommandLine, LoadFollowedByAWordMarksAnUnattendedStart)
{
    EXPECT_EQ(loadValue(QStringLiteral("Load 1")), QStringLiteral("1"));
    EXPECT_EQ(loadValue(QStringLiteral("x Load 1")), QStringLiteral("1"));
    EXPECT_EQ(loadValue(QStringLiteral("Load yes please")), QStringLiteral("yes"));
}

TEST(CommandLine, OtherSpellingsAndMissingWordsAreNormalStarts)
{
    for (const char* text : {"", "Load", "load 1", "/Load 1", "LOAD 1", "Load  1", "1 Load", "Loaded 1"})
        EXPECT_TRUE(loadValue(QString::fromLatin1(text)).isEmpty()) << text;
}

TEST(CommandLine, FirstMatchWinsAndTheDefaultCoversTheRest)
{
    using CommandLine::GetCommandLineValue;
    EXPECT_EQ(GetCommandLineValue(QStringLiteral("k=a,k=b"), QStringLiteral("k=a"), QStringLiteral(","),
                                  QStringLiteral("d")),
              QStringLiteral("k=b"));
    EXPECT_EQ(GetCommandLineValue(QStringLiteral("a--b--c"), QStringLiteral("b"), QStringLiteral("--"),
                                  QStringLiteral("d")),
              QStringLiteral("c"));
    EXPECT_EQ(GetCommandLineValue(QStringLiteral("a b"), QStringLiteral("b"), QStringLiteral(" "),
                                  QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_EQ(GetCommandLineValue(QStringLiteral("a b"), QStringLiteral("a"), QString(), QStringLiteral("d")),
              QStringLiteral("d"));
}

TEST(CommandLine, JoinsTheArgumentsAfterTheProgramName)
{
    const char* argv[] = {"/usr/bin/korvel", "x", "Load", "1"};
    EXPECT_EQ(CommandLine::fromArguments(4, argv), QStringLiteral("x Load 1"));
    EXPECT_EQ(CommandLine::fromArguments(1, argv), QString());
}
