#include "ui/timezonelist.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

namespace {

TEST(TimeZoneListTest, EntriesThatATypoWouldBreak)
{
    ASSERT_EQ(TimeZoneList::entries().size(), 59u);
    const struct {
        int index;
        const char* text;
        double offset;
    } rows[] = {
        {0, "Afghanistan-Kabul", 4.5},
        {25, "GMT - Dublin, Edinburgh, Lisbon, London, Casablanca, Monrovia", 0},
        {28, "India - Bombay, Calcutta, Madras, New Delhi", 5.5},
        {35, "Newfoundland", -3.5},
        {49, "US Eastern (US & Canada)- New York", -5},
        {58, "Yakutsk", 9},
    };
    for (const auto& row : rows) {
        const TimeZoneList::Entry& entry = TimeZoneList::entries()[static_cast<std::size_t>(row.index)];
        EXPECT_STREQ(entry.text, row.text) << row.index;
        EXPECT_EQ(entry.offsetHours, row.offset) << row.text;
    }
}

TEST(TimeZoneListTest, EveryEntryIsNamedOnceWithAWholeOrHalfHourOffset)
{
    std::set<std::string> texts;
    for (const TimeZoneList::Entry& entry : TimeZoneList::entries()) {
        EXPECT_TRUE(texts.insert(entry.text).second) << "twice: " << entry.text;
        EXPECT_GE(entry.offsetHours, -12) << entry.text;
        EXPECT_LE(entry.offsetHours, 14) << entry.text;
        EXPECT_EQ(std::fmod(entry.offsetHours * 2, 1.0), 0.0) << entry.text;
    }
}

TEST(TimeZoneListTest, ClickGivesTheTableOffsetForEveryIndexOfTheTableOnly)
{
    const TimeZoneList::Offsets table = TimeZoneList::offsets();
    const struct {
        int index;
        std::optional<double> offset;
    } rows[] = {
        {-1, std::nullopt}, {0, 4.5}, {35, -3.5}, {58, 9}, {59, 0}, {61, 0}, {62, std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TimeZoneList::offsetForIndex(row.index, table), row.offset) << row.index;
}

TEST(TimeZoneListTest, FillsWithoutChoosingAndOnlyAChoiceFromTheListChooses)
{
    QComboBox combo;
    combo.setEditable(true);
    combo.setEditText(QStringLiteral("TimeZone"));
    TimeZoneList::Offsets offsets;
    offsets.fill(99);
    QSignalSpy clicks(&combo, &QComboBox::currentIndexChanged);

    TimeZoneList::fill(&combo, offsets);
    ASSERT_EQ(combo.count(), 59);
    EXPECT_EQ(combo.itemText(58), QStringLiteral("Yakutsk"));
    EXPECT_EQ(combo.currentText(), QStringLiteral("TimeZone"));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(offsets, TimeZoneList::offsets());

    combo.setCurrentIndex(35);
    combo.lineEdit()->selectAll();
    QTest::keyClicks(combo.lineEdit(), QStringLiteral("Mars"));
    QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(combo.count(), 59);
    EXPECT_EQ(combo.currentIndex(), 35);
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace
