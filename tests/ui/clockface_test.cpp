#include "ui/clockface.h"

#include "base/textformat.h"
#include "support/mockclock.h"

#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr std::array<int, 6> kDigitX = {0, 10, 25, 35, 50, 60};
const QRect kLitColon(111, 0, 5, 10);
const QRect kUnlitColon(116, 0, 5, 10);
const QPoint kHoursColon(21, 1);
const QPoint kSecondsColon(46, 1);

QImage rgb(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

QRect digitCell(int digit)
{
    return {10 * digit, 0, 10, 14};
}

class ClockFaceTest : public testing::Test
{
protected:
    ClockFaceTest()
    {
        TextFormat::pinLocale(QLocale(QStringLiteral("en_US")));
        face.setTimeSource([this] { return now; });
    }
    ~ClockFaceTest() override { TextFormat::unpinLocale(); }

    QLabel* child(const char* name) const { return face.findChild<QLabel*>(QLatin1String(name)); }
    QImage strip() const { return rgb(child("picLED")->pixmap()); }

    // What the LED panel shows on screen, without its frame.
    QImage panel() const
    {
        QLabel* picture = child("Picture1");
        return rgb(picture->grab()).copy(picture->contentsRect());
    }

    bool panelShows(const QImage& shown, QPoint at, const QRect& stripCell) const
    {
        return shown.copy(QRect(at, stripCell.size())) == strip().copy(stripCell);
    }

    void tickAt(QTime time)
    {
        now = QDateTime(QDate(2026, 12, 6), time);
        face.ClockTimer_Timer();
    }

    QDateTime now;
    ClockFace face;
};

TEST_F(ClockFaceTest, GlyphStripHasTenDistinctDigitsAndTwoColons)
{
    const QImage image = strip();
    ASSERT_EQ(image.size(), QSize(140, 14));
    EXPECT_NE(image.copy(kLitColon), image.copy(kUnlitColon));
    for (int a = 0; a < 10; ++a) {
        for (int b = a + 1; b < 10; ++b)
            EXPECT_NE(image.copy(digitCell(a)), image.copy(digitCell(b))) << a << " and " << b;
    }
}

TEST_F(ClockFaceTest, DigitCellsAreCopiedFromTheStripAndTheSecondsColonBlinks)
{
    // The hours colon stays lit while the seconds colon blinks; after a resize
    // the next tick draws it lit again.
    const struct {
        QTime time;
        std::array<int, 6> digits;
        bool resizeFirst;
        bool secondsLit;
    } rows[] = {
        {QTime(23, 59, 59), {2, 3, 5, 9, 5, 9}, false, true},
        {QTime(0, 0, 0), {0, 0, 0, 0, 0, 0}, false, false},
        {QTime(16, 47, 28), {1, 6, 4, 7, 2, 8}, false, true},
        {QTime(16, 47, 29), {1, 6, 4, 7, 2, 9}, true, true},
        {QTime(16, 47, 30), {1, 6, 4, 7, 3, 0}, false, false},
    };
    face.show();
    // One face for every row: each tick must overwrite the cells of the last.
    for (const auto& row : rows) {
        SCOPED_TRACE(row.time.toString().toStdString());
        if (row.resizeFirst)
            face.resize(face.size() + QSize(1, 0));
        tickAt(row.time);
        const QImage shown = panel();
        EXPECT_TRUE(panelShows(shown, kHoursColon, kLitColon));
        EXPECT_TRUE(panelShows(shown, kSecondsColon, row.secondsLit ? kLitColon : kUnlitColon));
        for (std::size_t i = 0; i < row.digits.size(); ++i) {
            // A colon covers the first column of the tens of minutes and seconds.
            const int covered = (i == 2 || i == 4) ? 1 : 0;
            const QRect cell = digitCell(row.digits[i]).adjusted(covered, 0, 0, 0);
            EXPECT_TRUE(panelShows(shown, QPoint(kDigitX[i] + covered, 1), cell)) << "digit " << i;
        }
    }
}

TEST_F(ClockFaceTest, TimerTicksOnlyOncePlacedAndThePanelKeepsItsLastDrawing)
{
    auto* timer = face.findChild<QTimer*>(QStringLiteral("ClockTimer"));
    ASSERT_NE(timer, nullptr);
    face.setTimerI(1000);
    EXPECT_FALSE(timer->isActive()) << "not placed yet";
    face.show();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(face.TimerI(), 1000);

    now = QDateTime(QDate(2026, 12, 6), QTime(10, 20, 30));
    const QImage before = panel();
    // The timer's own signal, without waiting a second for it.
    QMetaObject::invokeMethod(timer, "timeout");
    const QImage drawn = panel();
    EXPECT_NE(drawn, before);

    face.setTimerI(0);
    EXPECT_EQ(face.TimerI(), 0);
    EXPECT_FALSE(timer->isActive());
    face.hide();
    face.show();
    EXPECT_EQ(panel(), drawn) << "the panel keeps the last time drawn";
    now = QDateTime();
    face.ClockTimer_Timer();
    EXPECT_EQ(panel(), drawn) << "an invalid reading draws nothing";
}

TEST_F(ClockFaceTest, WithoutASourceShowsTheInjectedClocksLocalTime)
{
    const MockClock clock(QDateTime(QDate(2026, 3, 1), QTime(4, 0, 0), Qt::UTC));
    ClockFace standalone;
    standalone.show();
    standalone.ClockTimer_Timer();
    face.show();
    tickAt(clock.currentDateTime().time());
    EXPECT_EQ(rgb(standalone.findChild<QLabel*>(QStringLiteral("Picture1"))->grab()),
              rgb(child("Picture1")->grab()));
}

TEST_F(ClockFaceTest, DateLineShowsTheWholeLongDateOfTheUsersLocale)
{
    // Placed as on the main window, where the face is narrower than its design.
    face.resize(128, 33);
    face.show();
    const struct {
        const char* locale;
        QDate date;
        const char* text;
    } rows[] = {
        {"en_US", QDate(2026, 9, 30), "Wednesday, September 30, 2026"},
        {"de_DE", QDate(2026, 12, 6), "Sonntag, 6. Dezember 2026"},
    };
    QLabel* date = child("lblDate");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        TextFormat::pinLocale(QLocale(QLatin1String(row.locale)));
        now = QDateTime(row.date, QTime(23, 59, 59));
        face.ClockTimer_Timer();
        EXPECT_EQ(date->text(), QLatin1String(row.text));
        EXPECT_LE(date->geometry().right(), face.rect().right());
        EXPECT_LE(date->fontMetrics().horizontalAdvance(date->text()), date->width());
    }
}

} // namespace
