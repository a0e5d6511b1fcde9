#include "app/optionconversion.h"

#include <gtest/gtest.h>

using namespace OptionConversion;

TEST(OptionConversion, WholeNumbersRoundHalvesToEvenWithinSixteenBits)
{
    EXPECT_EQ(toInt16(QStringLiteral("2.5")), 2);
    EXPECT_EQ(toInt16(QStringLiteral("3.5")), 4);
    EXPECT_EQ(toInt16(QStringLiteral("2.51")), 3);
    EXPECT_EQ(toInt16(QStringLiteral(" 7 ")), 7);
    EXPECT_EQ(toInt16(QStringLiteral("-32768")), -32768);
    EXPECT_EQ(toInt16(QStringLiteral("32767")), 32767);
    EXPECT_EQ(toInt16(QStringLiteral("32768")), std::nullopt);
    EXPECT_EQ(toInt16(QStringLiteral("-32769")), std::nullopt);
    EXPECT_EQ(toInt16(QStringLiteral("1e9")), std::nullopt);
    EXPECT_EQ(toInt16(QStringLiteral("abc")), std::nullopt);
    EXPECT_EQ(toInt16(QStringLiteral("2 hours")), std::nullopt);
    EXPECT_EQ(toInt16(QString()), std::nullopt);
    EXPECT_EQ(toInt16(QStringLiteral("nan")), std::nullopt);
}

TEST(OptionConversion, UnreadableWholeNumbersFallBackToTheKeysDefault)
{
    EXPECT_EQ(wholeNumber(Option::CheckTime, QStringLiteral("abc")), 2);
    EXPECT_EQ(wholeNumber(Option::CheckTime, QStringLiteral("99999")), 2);
    EXPECT_EQ(wholeNumber(Option::CheckTime, QStringLiteral("5")), 5);
    EXPECT_EQ(wholeNumber(Option::Unload, QStringLiteral("\x01\x02")), 0);
}

TEST(OptionConversion, CheckStatesOutsideTheThreeStatesFallBack)
{
    EXPECT_EQ(checkState(Option::CheckEvery, QStringLiteral("0")), Qt::Unchecked);
    EXPECT_EQ(checkState(Option::CheckEvery, QStringLiteral("1")), Qt::Checked);
    EXPECT_EQ(checkState(Option::CheckEvery, QStringLiteral("2")), Qt::PartiallyChecked);
    EXPECT_EQ(checkState(Option::CheckEvery, QStringLiteral("3")), Qt::Unchecked);
    EXPECT_EQ(checkState(Option::CheckEvery, QStringLiteral("-1")), Qt::Unchecked);
    EXPECT_EQ(checkState(Option::CheckEvery, QStringLiteral("70000")), Qt::Unchecked);
    EXPECT_EQ(checkState(Option::CheckEvery, QStringLiteral("yes")), Qt::Unchecked);
    EXPECT_EQ(fromCheckState(Qt::Unchecked), QStringLiteral("0"));
    EXPECT_EQ(fromCheckState(Qt::Checked), QStringLiteral("1"));
    EXPECT_EQ(fromCheckState(Qt::PartiallyChecked), QStringLiteral("2"));
}

TEST(OptionConversion, BeepReadsBooleanWordsAndNumbers)
{
    EXPECT_TRUE(boolean(Option::Beep, QStringLiteral("True")));
    EXPECT_TRUE(boolean(Option::Beep, QStringLiteral("true")));
    EXPECT_FALSE(boolean(Option::Beep, QStringLiteral("FALSE")));
    EXPECT_TRUE(boolean(Option::Beep, QStringLiteral("-1")));
    EXPECT_TRUE(boolean(Option::Beep, QStringLiteral("0.5")));
    EXPECT_FALSE(boolean(Option::Beep, QStringLiteral("0")));
    EXPECT_FALSE(boolean(Option::Beep, QStringLiteral("Yes")));
    EXPECT_FALSE(boolean(Option::Beep, QString()));
    EXPECT_EQ(fromBoolean(true), QStringLiteral("True"));
    EXPECT_EQ(fromBoolean(false), QStringLiteral("False"));
}

TEST(OptionConversion, ListIndexOutsideTheListSelectsNothing)
{
    EXPECT_EQ(listIndex(QStringLiteral("0"), 59), 0);
    EXPECT_EQ(listIndex(QStringLiteral("58"), 59), 58);
    EXPECT_EQ(listIndex(QStringLiteral("59"), 59), -1);
    EXPECT_EQ(listIndex(QStringLiteral("99"), 10), -1);
    EXPECT_EQ(listIndex(QStringLiteral("-1"), 59), -1);
    EXPECT_EQ(listIndex(QStringLiteral("zone"), 59), -1);
    EXPECT_EQ(listIndex(QStringLiteral("0"), 0), -1);
    EXPECT_EQ(fromListIndex(-1), QStringLiteral("-1"));
}
