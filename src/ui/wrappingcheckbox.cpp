#include "ui/wrappingcheckbox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

WrappingCheckBox::WrappingCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent)
{
}

void WrappingCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    const int lineHeight = fontMetrics().height();
    const int textLeft = indicator.right() + 1
        + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const int textLines = qMax(1, height() / lineHeight);
    const QRect textRect(textLeft, (height() - textLines * lineHeight) / 2,
                         width() - textLeft, textLines * lineHeight);

    QStyleOptionButton box = option;
    box.rect = indicator;
    box.rect.moveTop(textRect.top() + (lineHeight - indicator.height()) / 2);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);

    painter.drawItemText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         option.palette, isEnabled(), option.text, QPalette::WindowText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = textRect;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}
