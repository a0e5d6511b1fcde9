#include "ui/wrappingcheckbox.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(WrappingCheckBox, TheWholeCaptionAreaToggles)
{
    WrappingCheckBox box(QStringLiteral("A long caption that has to wrap onto a second line to fit"));
    box.setGeometry(0, 0, 160, 40);
    box.show();
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(150, 35));
    EXPECT_TRUE(box.isChecked());
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(box.isChecked());
}

TEST(WrappingCheckBox, DrawsItsCaptionOnMoreThanOneLine)
{
    const QString caption = QStringLiteral("first words first words first words / second line");
    WrappingCheckBox box(caption);
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
