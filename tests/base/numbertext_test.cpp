#include "base/numbertext.h"
#include "base/textformat.h"

#include <gtest/gtest.h>

class NumberTextTest : public testing::TestWithParam<const char*>
{
protected:
    void SetUp() override { TextFormat::pinLocale(QLocale(QString::fromLatin1(GetParam()))); }
    void TearDown() override { TextFormat::unpinLocale(); }
    QString sep() const { return TextFormat::locale().decimalPoint(); }
};

TEST_P(NumberTextTest, LeadingNumberUsesPeriodWhateverTheLocale)
{
    using NumberText::leadingNumber;
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("2.5")), 2.5);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("1,5")), 1.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("abc")), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("")), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("  4 hours")), 4.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("-3.25x")), -3.25);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral(".5")), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("-.")), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("1e3")), 1000.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("2e")), 2.0);
}

TEST_P(NumberTextTest, OneDecimalRoundsWithTheLocaleSeparator)
{
    EXPECT_EQ(NumberText::oneDecimal(1.5), QStringLiteral("1") + sep() + QStringLiteral("5"));
    EXPECT_EQ(NumberText::oneDecimal(60), QStringLiteral("60") + sep() + QStringLiteral("0"));
    EXPECT_EQ(NumberText::oneDecimal(1.96), QStringLiteral("2") + sep() + QStringLiteral("0"));
    EXPECT_EQ(NumberText::oneDecimal(12345.0), QStringLiteral("12345") + sep() + QStringLiteral("0"));
}

TEST_P(NumberTextTest, GeneralFormsDropTrailingZeros)
{
    EXPECT_EQ(NumberText::generalSingle(0.125f), QStringLiteral("0") + sep() + QStringLiteral("125"));
    EXPECT_EQ(NumberText::generalSingle(1.0f), QStringLiteral("1"));
    EXPECT_EQ(NumberText::generalSingle(0.1f), QStringLiteral("0") + sep() + QStringLiteral("1"));
    EXPECT_EQ(NumberText::generalSingle(1.0f / 3.0f), QStringLiteral("0") + sep() + QStringLiteral("3333333"));
    EXPECT_EQ(NumberText::generalSingle(0.00005f), QStringLiteral("5E-05"));
    EXPECT_EQ(NumberText::generalDouble(60000 / 1000.0), QStringLiteral("60"));
    EXPECT_EQ(NumberText::generalDouble(0), QStringLiteral("0"));
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberTextTest, testing::Values("en_US", "de_DE"));
