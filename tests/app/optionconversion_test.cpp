#include "app/optionconversion.h"

#include <gtest/gtest.h>

using namespace OptionConversion;

TEST(OptionConversion, WholeNumbersRoundHalvesToEvenWithinSixteenBits)
{
    EXPECT_EQ(toInt16(QStringLiteral("2.5")), 2);
    EXPECT_EQ(toInt16(QStringLiteral("3.5")), 4);
    EXPECT_EQ(toInt16(QStringLiteral(" 7 ")), 7);
    EXPECT_EQ(toInt16(QStringLiteral("-32768")), -32768);
    for (const char* bad : {"32768", "-32769", "1e9", "abc", "2 hours", "", "nan"})
        EXPECT_EQ(toInt16(QLatin1String(bad)), std::nullopt) << bad;
    EXPECT_EQ(wholeNumber(Option::CheckTime, QStringLiteral("99999")), 2);
}

TEST(OptionConversion, CheckStatesUseTheirOwnNumberingAndFallBack)
{
    EXPECT_EQ(checkState(Option::CheckEvery, QStringLiteral("1")), Qt::Checked);
    EXPECT_EQ(checkState(Option::CheckEvery, QStringLiteral("2")), Qt::PartiallyChecked);
    for (const char* bad : {"3", "-1", "70000", "yes"})
        EXPECT_EQ(checkState(Option::CheckEvery, QLatin1String(bad)), Qt::Unchecked) << bad;
    EXPECT_EQ(fromCheckState(Qt::Checked), QStringLiteral("1"));
    EXPECT_EQ(fromCheckState(Qt::PartiallyChecked), QStringLiteral("2"));
}

TEST(OptionConversion, BeepReadsBooleanWordsAndNumbers)
{
    for (const char* on : {"True", "true", "-1", "0.5"})
        EXPECT_TRUE(boolean(Option::Beep, QLatin1String(on))) << on;
    for (const char* off : {"FALSE", "0", "Yes", ""})
        EXPECT_FALSE(boolean(Option::Beep, QLatin1String(off))) << off;
    EXPECT_EQ(fromBoolean(true) + fromBoolean(false), QStringLiteral("TrueFalse"));
}

TEST(OptionConversion, ListIndexOutsideTheListSelectsNothing)
{
    EXPECT_EQ(listIndex(QStringLiteral("58"), 59), 58);
    EXPECT_EQ(listIndex(QStringLiteral("59"), 59), -1);
    EXPECT_EQ(listIndex(QStringLiteral("-1"), 59), -1);
    EXPECT_EQ(listIndex(QStringLiteral("zone"), 59), -1);
}
