// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/form1design.h"

#include "ui/clockface.h"
#include "ui/fittedcheckbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

#include <gtest/gtest.h>

#include <set>

namespace {

class Form1DesignTest : public testing::Test
{
protected:
    Form1DesignTest() { ui.setupUi(&window); }

    QMainWindow window;
    Form1Design ui;
};

// Where the style draws a group box's title, in the box's coordinates.
QRect titleRect(const QGroupBox* box)
{
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.textAlignment = box->alignment();
    option.lineWidth = 1;
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
}

// Where a control's caption has to fit, and the caption's size there.
std::pair<QRect, QSize> roomAndCaption(const QWidget* widget)
{
    const QFontMetrics metrics = widget->fontMetrics();
    if (const auto* box = qobject_cast<const FittedCheckBox*>(widget)) {
        // The caption wraps beside the box, so only its height can overflow.
        const QStyle* style = box->style();
        const int room = box->width() - style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box)
            - style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
        const QRect text =
            metrics.boundingRect(QRect(0, 0, room, 10000), Qt::AlignLeft | Qt::TextWordWrap, box->text());
        return {QRect(0, 0, room, box->height()), text.size()};
    }
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return {button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button),
                metrics.size(Qt::TextShowMnemonic, button->text())};
    }
    if (const auto* box = qobject_cast<const QCheckBox*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(box);
        return {box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box),
                metrics.size(Qt::TextShowMnemonic, box->text())};
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        const QRect room = label->contentsRect();
        const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
        return {room, metrics.boundingRect(QRect(QPoint(), room.size()), flags, label->text()).size()};
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(widget))
        return {QRect(0, 0, box->width(), box->height()), titleRect(box).size()};
    return {};
}

} // namespace

TEST_F(Form1DesignTest, ControlsStayInTheirContainersAndOverlapOnlyWhereTheDesignLayersThem)
{
    const std::set<std::pair<QString, QString>> layered = {
        // Check boxes drawn over their frame's caption.
        {"chkAutoConnect", "fraAutoConnect"},
        {"chkTime", "fraTime"},
        // The away box fills the gap in chkUnload's caption.
        {"chkUnload", "txtAway"},
        // One place for two buttons, only one of them shown.
        {"CmdConnect", "CmdDisconnect"},
        // The list reaches one pixel into the clock face's empty margin.
        {"CF1", "cboTimeZone"},
        // The rule starts in the empty tail of its title.
        {"lblSecondaryTime", "line1"},
        {"lblSecondaryTime", "lin2"},
    };
    std::set<std::pair<QString, QString>> seen;
    for (QWidget* container : {ui.clientArea, static_cast<QWidget*>(ui.fraTime),
                               static_cast<QWidget*>(ui.fraAutoConnect)}) {
        const auto controls = container->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (qsizetype a = 0; a < controls.size(); ++a) {
            EXPECT_TRUE(container->rect().contains(controls[a]->geometry()))
                << controls[a]->objectName().toStdString() << " reaches out of its container";
            for (qsizetype b = a + 1; b < controls.size(); ++b) {
                if (!controls[a]->geometry().intersects(controls[b]->geometry()))
                    continue;
                const QString first = controls[a]->objectName();
                const QString second = controls[b]->objectName();
                const std::pair<QString, QString> pair = std::minmax(first, second);
                EXPECT_TRUE(layered.count(pair)) << pair.first.toStdString() << " overlaps "
                                                 << pair.second.toStdString();
                seen.insert(pair);
            }
        }
    }
    // A layered control that drifted off its caption would leave a gap in it.
    EXPECT_EQ(seen, layered);
    // The control laid over another must be the one on top.
    const auto above = [](const QWidget* top, const QWidget* below) {
        const QObjectList& stack = top->parent()->children();
        return stack.indexOf(top) > stack.indexOf(below);
    };
    EXPECT_TRUE(above(ui.chkTime, ui.fraTime));
    EXPECT_TRUE(above(ui.chkAutoConnect, ui.fraAutoConnect));
    EXPECT_TRUE(above(ui.txtAway, ui.chkUnload));
    EXPECT_TRUE(above(ui.cboTimeZone, ui.CF1));
    EXPECT_LT(ui.lblSecondaryTime->x() + ui.lblSecondaryTime->fontMetrics().horizontalAdvance(
                                             ui.lblSecondaryTime->text()),
              ui.line1->x());
}

TEST_F(Form1DesignTest, NoCaptionIsClipped)
{
    const QWidget* const captioned[] = {ui.cmdSetTime,    ui.Label1,         ui.Label2,
                                        ui.CmdConnect,    ui.CmdDisconnect,  ui.fraAutoConnect,
                                        ui.ChkDisconnect, ui.fraTime,        ui.chkUnload,
                                        ui.lblSecondaryTime};
    for (const QWidget* control : captioned) {
        const auto [room, caption] = roomAndCaption(control);
        EXPECT_LE(caption.width(), room.width()) << control->objectName().toStdString();
        EXPECT_LE(caption.height(), room.height()) << control->objectName().toStdString();
    }
}
