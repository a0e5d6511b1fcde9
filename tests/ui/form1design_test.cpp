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
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const auto contents = qobject_cast<const QPushButton*>(button) ? QStyle::SE_PushButtonContents
                                                                        : QStyle::SE_CheckBoxContents;
        return {button->style()->subElementRect(contents, &option, button),
                metrics.size(Qt::TextShowMnemonic, button->text())};
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        const QRect room = label->contentsRect();
        const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
        return {room, metrics.boundingRect(QRect(QPoint(), room.size()), flags, label->text()).size()};
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.textAlignment = box->alignment();
        option.lineWidth = 1;
        return {box->rect(),
                box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box).size()};
    }
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
                const std::pair<QString, QString> pair =
                    std::minmax(controls[a]->objectName(), controls[b]->objectName());
                EXPECT_TRUE(layered.count(pair)) << pair.first.toStdString() << " overlaps "
                                                 << pair.second.toStdString();
                seen.insert(pair);
            }
        }
    }
    // A layered control that drifted off its caption would leave a gap in it.
    EXPECT_EQ(seen, layered);
    // The control laid over another must be the one on top.
    for (const auto& [top, below] : {std::pair<QWidget*, QWidget*>{ui.chkTime, ui.fraTime},
                                     {ui.chkAutoConnect, ui.fraAutoConnect}, {ui.txtAway, ui.chkUnload},
                                     {ui.cboTimeZone, ui.CF1}}) {
        const QObjectList& stack = top->parent()->children();
        EXPECT_GT(stack.indexOf(top), stack.indexOf(below)) << top->objectName().toStdString();
    }
    EXPECT_LT(ui.lblSecondaryTime->x() + ui.lblSecondaryTime->fontMetrics().horizontalAdvance(
                                             ui.lblSecondaryTime->text()),
              ui.line1->x());
}

TEST_F(Form1DesignTest, NoCaptionIsClipped)
{
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             ui.cmdSetTime, ui.Label1, ui.Label2, ui.CmdConnect, ui.CmdDisconnect, ui.fraAutoConnect,
             ui.ChkDisconnect, ui.fraTime, ui.chkUnload, ui.lblSecondaryTime}) {
        const auto [room, caption] = roomAndCaption(control);
        EXPECT_LE(caption.width(), room.width()) << control->objectName().toStdString();
        EXPECT_LE(caption.height(), room.height()) << control->objectName().toStdString();
    }
}
