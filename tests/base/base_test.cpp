// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/dateserial.h"
#include "base/generaldate.h"
#include "base/numbertext.h"
#include "base/textformat.h"

#include "support/localescope.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
double serialOf(int y, int m, int d, int h = 0, int min = 0, int s = 0)
{
    return DateSerial::fromDateTime(QDateTime(QDate(y, m, d), QTime(h, min, s), Qt::UTC));
}
} // namespace

TEST(GeneralDate, WritesShortDateAndLongTimeLeavingOutWhatIsZeroAndReadsItBack)
{
    const double shown[] = {serialOf(2026, 12, 5, 22, 29, 41), serialOf(1899, 12, 30, 7, 5, 0), serialOf(2026, 12, 5)};
    const std::pair<const char*, QStringList> locales[] = {
        {"en_US", {"12/5/2026 10:29:41 PM", "7:05:00 AM", "12/5/2026"}},
        {"de_DE", {"05.12.2026 22:29:41", "07:05:00", "05.12.2026"}},
        {"ja_JP", {}},
    };
    const double samples[] = {0.0, serialOf(1899, 12, 30, 13, 14, 15), serialOf(2036, 2, 7, 6, 28, 15),
                              serialOf(2000, 2, 29, 12, 0, 0) + 0.4 / 86400.0, shown[0], shown[2]};
    for (const auto& [name, texts] : locales) {
        LocaleScope scope(name);
        for (qsizetype i = 0; i < texts.size(); ++i)
            EXPECT_EQ(GeneralDate::format(shown[i]), texts[i]) << name;
        for (const double serial : samples) {
            const QString text = GeneralDate::format(serial);
            const auto back = GeneralDate::parse(text);
            ASSERT_TRUE(back.has_value()) << name << ": " << qPrintable(text);
            EXPECT_EQ(std::llround(*back * 86400), std::llround(serial * 86400)) << name << ": " << qPrintable(text);
        }
    }
}

TEST(GeneralDate, AcceptsTwentyFourHourAndIsoAndRejectsWhatIsNotADate)
{
    LocaleScope us("en_US");
    EXPECT_DOUBLE_EQ(*GeneralDate::parse(QStringLiteral("13:30:00")), 13.5 / 24.0);
    EXPECT_DOUBLE_EQ(*GeneralDate::parse(QStringLiteral("12/5/2026 22:29:41")), serialOf(2026, 12, 5, 22, 29, 41));
    EXPECT_DOUBLE_EQ(*GeneralDate::parse(QStringLiteral("2026-12-05T22:29:41")), serialOf(2026, 12, 5, 22, 29, 41));
    for (const char* text : {"", "   ", "abc", "13/45/2026 10:00:00 AM", "25:00:00", "2026-13-01"})
        EXPECT_FALSE(GeneralDate::parse(QString::fromLatin1(text)).has_value()) << text;
}

TEST(NumberText, LeadingNumberReadsAPeriodAndTextsUseTheLocaleSeparator)
{
    for (const char* name : {"en_US", "de_DE"}) {
        LocaleScope scope(name);
        // The locale's decimal comma reads as well as the period.
        const double commaRead = TextFormat::locale().decimalPoint() == u',' ? 1.5 : 1.0;
        const std::pair<const char*, double> read[] = {{"2.5", 2.5}, {"1,5", commaRead}, {"abc", 0.0}, {"", 0.0},
                                                       {"  4 hours", 4.0}, {"-3.25x", -3.25}, {".5", 0.5}, {"-.", 0.0},
                                                       {"1e3", 1000.0}, {"2e", 2.0}};
        for (const auto& [text, value] : read)
            EXPECT_DOUBLE_EQ(NumberText::leadingNumber(QLatin1String(text)), value) << text;
        // `text` with its period replaced by the locale's decimal separator.
        const auto local = [](const char* text) {
            return QString::fromLatin1(text).replace(QLatin1Char('.'), TextFormat::locale().decimalPoint());
        };
        EXPECT_EQ(NumberText::oneDecimal(1.5), local("1.5"));
        EXPECT_EQ(NumberText::oneDecimal(1.96), local("2.0"));
        EXPECT_EQ(NumberText::oneDecimal(12345.0), local("12345.0"));
        // The general forms drop trailing zeros and keep a single's precision.
        EXPECT_EQ(NumberText::generalSingle(0.125f), local("0.125"));
        EXPECT_EQ(NumberText::generalSingle(1.0f), local("1"));
        EXPECT_EQ(NumberText::generalSingle(1.0f / 3.0f), local("0.3333333"));
        EXPECT_EQ(NumberText::generalSingle(0.00005f), local("5E-05"));
        EXPECT_EQ(NumberText::generalDouble(60000 / 1000.0), local("60"));
    }
}
