#include "ui/fittedcheckbox.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {
bool isInk(QRgb pixel, int backgroundGray)
{
    return qGray(pixel) < backgroundGray - 20;
}
} // namespace

TEST(FittedCheckBox, WrapsItsCaptionAndTogglesAnywhereOnIt)
{
    FittedCheckBox box(QStringLiteral("first words first words first words / second line"));
    box.setGeometry(0, 0, 120, 2 * box.fontMetrics().height() + 2);
    const QImage image = box.grab().toImage();
    const int background = qGray(box.palette().color(QPalette::Window).rgb());
    int inkTop = 0;
    int inkBottom = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 30; x < image.width(); ++x) {
            if (isInk(image.pixel(x, y), background)) {
                ++(y < image.height() / 2 ? inkTop : inkBottom);
                break;
            }
        }
    }
    EXPECT_GT(inkTop, 2);
    EXPECT_GT(inkBottom, 2);

    box.show();
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(115, image.height() - 3));
    EXPECT_TRUE(box.isChecked());
}

TEST(FittedCheckBox, ASmallBoxIsDrawnWhole)
{
    FittedCheckBox box;
    box.setGeometry(0, 0, 13, 13);
    const QImage image = box.grab().toImage();
    const int background = qGray(box.palette().color(QPalette::Window).rgb());
    // Each edge is mostly the box's frame, darker than the window and the box's inside.
    const auto frameAlong = [&](int x0, int y0, int dx, int dy) {
        int framed = 0;
        for (int i = 0; i < 13; ++i)
            framed += isInk(image.pixel(x0 + i * dx, y0 + i * dy), background);
        return framed;
    };
    EXPECT_GE(frameAlong(0, 0, 1, 0), 8);
    EXPECT_GE(frameAlong(0, 12, 1, 0), 8);
    EXPECT_GE(frameAlong(0, 0, 0, 1), 8);
    EXPECT_GE(frameAlong(12, 0, 0, 1), 8);
}
