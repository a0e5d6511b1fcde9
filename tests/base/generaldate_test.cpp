#include "base/dateserial.h"
#include "base/generaldate.h"
#include "base/textformat.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
double serialOf(int y, int m, int d, int h = 0, int min = 0, int s = 0)
{
    return DateSerial::fromDateTime(QDateTime(QDate(y, m, d), QTime(h, min, s), Qt::UTC));
}

class LocaleScope
{
public:
    explicit LocaleScope(const char* name) { TextFormat::pinLocale(QLocale(QString::fromLatin1(name))); }
    ~LocaleScope() { TextFormat::unpinLocale(); }
};
} // namespace

TEST(GeneralDate, WritesShortDateAndLongTimeLeavingOutWhatIsZero)
{
    const double evening = serialOf(2026, 12, 5, 22, 29, 41);
    const double morning = serialOf(1899, 12, 30, 7, 5, 0);
    const double midnight = serialOf(2026, 12, 5);
    LocaleScope us("en_US");
    EXPECT_EQ(QStringList({GeneralDate::format(evening), GeneralDate::format(morning), GeneralDate::format(midnight)}),
              QStringList({"12/5/2026 10:29:41 PM", "7:05:00 AM", "12/5/2026"}));
    LocaleScope de("de_DE");
    EXPECT_EQ(QStringList({GeneralDate::format(evening), GeneralDate::format(morning), GeneralDate::format(midnight)}),
              QStringList({"05.12.2026 22:29:41", "07:05:00", "05.12.2026"}));
}

TEST(GeneralDate, ReadsBackEverythingItWritesToTheSecond)
{
    const double samples[] = {0.0, serialOf(1899, 12, 30, 13, 14, 15), serialOf(2026, 12, 5),
                              serialOf(2036, 2, 7, 6, 28, 15), serialOf(2000, 2, 29, 12, 0, 0) + 0.4 / 86400.0};
    for (const char* name : {"en_US", "de_DE", "ja_JP"}) {
        LocaleScope scope(name);
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
