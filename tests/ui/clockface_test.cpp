// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/clockface.h"

#include "base/textformat.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

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

    // What the LED panel shows on screen, without its frame, in device pixels.
    QImage panel() const
    {
        QLabel* picture = child("Picture1");
        const qreal scale = picture->devicePixelRatioF();
        const QRect contents = picture->contentsRect();
        QImage shown = picture->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(
            QRect(contents.topLeft() * scale, contents.size() * scale));
        shown.setDevicePixelRatio(1);
        return shown;
    }

    void tickAt(QTime time)
    {
        now = QDateTime(QDate(2026, 12, 6), time);
        face.ClockTimer_Timer();
    }

    QDateTime now;
    ClockFace face;
};

TEST_F(ClockFaceTest, TicksDrawTheReferencePicture)
{
    // Every digit, the blinking seconds colon, the hours colon that stays
    // lit, and both colons lit again after a resize before the last tick. One face for every
    // tick: each must overwrite the cells of the last.
    const QTime ticks[] = {QTime(23, 59, 59), QTime(0, 0, 0), QTime(16, 47, 28), QTime(18, 36, 14)};
    face.show();
    const QSize cell = panel().size();
    QImage drawn(cell.width(), cell.height() * int(std::size(ticks)), QImage::Format_RGB32);
    QPainter sheet(&drawn);
    for (std::size_t i = 0; i < std::size(ticks); ++i) {
        if (i == std::size(ticks) - 1)
            face.resize(face.size() + QSize(1, 0));
        tickAt(ticks[i]);
        sheet.drawImage(0, cell.height() * int(i), panel());
    }
    sheet.end();

    const QString name = QStringLiteral("clockface-%1x.png").arg(qRound(face.devicePixelRatioF()));
    const QImage reference = QImage(QStringLiteral(KORVEL_UI_TEST_DIR "/") + name).convertToFormat(QImage::Format_RGB32);
    if (drawn != reference) {
        drawn.save(name);
        FAIL() << "the panel differs from tests/ui/" << name.toStdString() << "; what it drew is in "
               << name.toStdString() << " in the test's working folder";
    }
}

TEST_F(ClockFaceTest, TicksOnlyOncePlacedAndThePanelKeepsItsLastDrawing)
{
    auto* timer = face.findChild<QTimer*>(QStringLiteral("ClockTimer"));
    ASSERT_NE(timer, nullptr);
    face.setTimerI(1000);
    EXPECT_FALSE(timer->isActive()) << "not placed yet";
    face.show();
    EXPECT_TRUE(timer->isActive());

    now = QDateTime(QDate(2026, 12, 6), QTime(10, 20, 30));
    // Focused before its first tick, a screen reader still hears the time.
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&face, &focus);
    EXPECT_EQ(face.accessibleName(), QStringLiteral("10:20"));
    const QImage before = panel();
    // The timer's own signal, without waiting a second for it.
    QMetaObject::invokeMethod(timer, "timeout");
    const QImage drawn = panel();
    EXPECT_NE(drawn, before);

    face.setTimerI(0);
    EXPECT_FALSE(timer->isActive());
    face.hide();
    face.show();
    EXPECT_EQ(panel(), drawn) << "the panel keeps the last time drawn";
    now = QDateTime();
    face.ClockTimer_Timer();
    EXPECT_EQ(panel(), drawn) << "an invalid reading draws nothing";
}

TEST_F(ClockFaceTest, DateLineShowsTheWholeLongDateOfTheUsersLocale)
{
    // Placed as on the main window, where the face is narrower than its design.
    face.resize(128, 33);
    face.show();
    const QLabel* date = child("lblDate");
    for (const auto& [locale, day, text] : {std::tuple{"en_US", QDate(2026, 9, 30), "Wednesday, September 30, 2026"},
                                            std::tuple{"de_DE", QDate(2026, 12, 6), "Sonntag, 6. Dezember 2026"}}) {
        SCOPED_TRACE(text);
        TextFormat::pinLocale(QLocale(QLatin1String(locale)));
        now = QDateTime(day, QTime(23, 59, 59));
        face.ClockTimer_Timer();
        EXPECT_EQ(date->text(), QLatin1String(text));
        EXPECT_LE(date->geometry().right(), face.rect().right());
        EXPECT_LE(date->fontMetrics().horizontalAdvance(date->text()), date->width());
    }
}

} // namespace
