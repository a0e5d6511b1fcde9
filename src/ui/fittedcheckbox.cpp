// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/fittedcheckbox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

FittedCheckBox::FittedCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent)
{
}

void FittedCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    const QRect styleBox = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    const int side = std::min({styleBox.width(), styleBox.height(), width(), height()});
    const int lineHeight = fontMetrics().height();
    const int textLines = qMax(1, height() / lineHeight);
    const int textTop = (height() - textLines * lineHeight) / 2;
    const int boxTop = text().isEmpty() ? (height() - side) / 2 : textTop + (lineHeight - side) / 2;

    QStyleOptionButton box = option;
    box.rect = QRect(qMin(styleBox.left(), width() - side), qMax(0, boxTop), side, side);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);
    if (text().isEmpty())
        return;

    const int textLeft = box.rect.right() + 1
        + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const QRect textRect(textLeft, textTop, width() - textLeft, textLines * lineHeight);
    painter.drawItemText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, option.palette,
                         isEnabled(), option.text, QPalette::WindowText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = textRect;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool FittedCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}
