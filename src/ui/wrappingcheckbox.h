#pragma once

#include <QCheckBox>

// A check box whose caption wraps onto as many lines as its height allows,
// with the box beside the first line of text; the whole area is clickable.
class WrappingCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit WrappingCheckBox(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};
