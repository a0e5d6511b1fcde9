// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCheckBox>

// A check box drawn wholly inside its rectangle: the box shrinks to fit a
// small rectangle, and the caption wraps onto as many lines as the height
// allows, with the box beside the first line. The whole area is clickable.
class FittedCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit FittedCheckBox(const QString& text = QString(), QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};
