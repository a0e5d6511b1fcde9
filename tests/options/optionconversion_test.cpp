// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "options/optionconversion.h"

#include <gtest/gtest.h>

using namespace OptionConversion;

TEST(OptionConversion, WholeNumbersRoundHalvesToEvenWithinSixteenBits)
{
    for (const auto& [text, value] : {std::pair<const char*, qint16>{"2.5", 2}, {"3.5", 4}, {" 7 ", 7}, {"-32768", -32768}})
        EXPECT_EQ(toInt16(QLatin1String(text)), value) << text;
    for (const char* bad : {"32768", "-32769", "1e9", "abc", "2 hours", "", "nan"})
        EXPECT_EQ(toInt16(QLatin1String(bad)), std::nullopt) << bad;
}

TEST(OptionConversion, DamagedStatesFlagsAndIndexesFallBack)
{
    EXPECT_EQ(checkState(Option::CheckEvery, QStringLiteral("1")), Qt::Checked);
    EXPECT_EQ(checkState(Option::CheckEvery, QStringLiteral("2")), Qt::PartiallyChecked);
    for (const char* bad : {"3", "-1", "70000", "yes"})
        EXPECT_EQ(checkState(Option::CheckEvery, QLatin1String(bad)), Qt::Unchecked) << bad;
    for (const char* on : {"True", "true", "-1", "0.5"})
        EXPECT_TRUE(boolean(Option::Beep, QLatin1String(on))) << on;
    for (const char* off : {"FALSE", "0", "Yes", ""})
        EXPECT_FALSE(boolean(Option::Beep, QLatin1String(off))) << off;
    EXPECT_EQ(listIndex(QStringLiteral("58"), 59), 58);
    for (const char* outside : {"59", "-1", "zone"})
        EXPECT_EQ(listIndex(QLatin1String(outside), 59), -1) << outside;
}
