#include "base/numbertext.h"
#include "base/textformat.h"

#include <gtest/gtest.h>

TEST(NumberText, LeadingNumberReadsAPeriodWhateverTheLocale)
{
    TextFormat::pinLocale(QLocale(QStringLiteral("de_DE")));
    const std::pair<const char*, double> cases[] = {{"2.5", 2.5},    {"1,5", 1.0},   {"abc", 0.0},  {"", 0.0},
                                                    {"  4 hours", 4.0}, {"-3.25x", -3.25}, {".5", 0.5}, {"-.", 0.0},
                                                    {"1e3", 1000.0}, {"2e", 2.0}};
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(NumberText::leadingNumber(QLatin1String(text)), value) << text;
    TextFormat::unpinLocale();
}

class NumberTextTest : public testing::TestWithParam<const char*>
{
protected:
    void SetUp() override { TextFormat::pinLocale(QLocale(QString::fromLatin1(GetParam()))); }
    void TearDown() override { TextFormat::unpinLocale(); }
    // `text` with its period replaced by the locale's decimal separator.
    static QString local(const char* text)
    {
        return QString::fromLatin1(text).replace(QLatin1Char('.'), TextFormat::locale().decimalPoint());
    }
};

TEST_P(NumberTextTest, TextsUseTheLocaleSeparator)
{
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

INSTANTIATE_TEST_SUITE_P(Locales, NumberTextTest, testing::Values("en_US", "de_DE"));
