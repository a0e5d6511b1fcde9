#include "ui/fittedcheckbox.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(FittedCheckBox, TheWholeCaptionAreaToggles)
{
    FittedCheckBox box(QStringLiteral("A long caption that has to wrap onto a second line to fit"));
    box.setGeometry(0, 0, 160, 40);
    box.show();
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(150, 35));
    EXPECT_TRUE(box.isChecked());
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(box.isChecked());
}

TEST(FittedCheckBox, DrawsItsCaptionOnMoreThanOneLine)
{
    const QString caption = QStringLiteral("first words first words first words / second line");
    FittedCheckBox box(caption);
    box.setGeometry(0, 0, 120, 2 * box.fontMetrics().height() + 2);
    const QImage image = box.grab().toImage();
    const auto inkRows = [&](int top, int bottom) {
        int rows = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = 30; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) < 100) {
                    ++rows;
                    break;
                }
            }
        }
        return rows;
    };
    const int half = image.height() / 2;
    EXPECT_GT(inkRows(0, half), 2);
    EXPECT_GT(inkRows(half, image.height()), 2);
}

TEST(FittedCheckBox, ASmallBoxIsDrawnWhole)
{
    FittedCheckBox box;
    box.setGeometry(0, 0, 13, 13);
    const QImage image = box.grab().toImage();
    const int backgroundGray = qGray(box.palette().color(QPalette::Window).rgb());
    // Each edge of the rectangle is mostly the box's frame, darker than the
    // window behind it and than the box's white inside.
    const auto frameAlong = [&](int x0, int y0, int dx, int dy) {
        int framed = 0;
        for (int i = 0; i < 13; ++i)
            framed += qGray(image.pixel(x0 + i * dx, y0 + i * dy)) < backgroundGray - 20;
        return framed;
    };
    EXPECT_GE(frameAlong(0, 0, 1, 0), 8);
    EXPECT_GE(frameAlong(0, 12, 1, 0), 8);
    EXPECT_GE(frameAlong(0, 0, 0, 1), 8);
    EXPECT_GE(frameAlong(12, 0, 0, 1), 8);
}
