// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/darkpalette.h"
#include "ui/clockface.h"
#include "ui/designstyle.h"
#include "ui/fittedcheckbox.h"
#include "ui/form1design.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <gtest/gtest.h>

#include <map>

namespace {

// The contrast of a text drawn in `area`: the colour most of the area shows
// is the background; the text is the colour that stands out from it most.
qreal textContrast(const QImage& image, const QRect& area)
{
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    const QColor background(std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
                                return a.second < b.second;
                            })->first);
    qreal best = 1;
    for (const auto& [rgb, count] : counts)
        best = std::max(best, DesignStyle::contrastRatio(QColor(rgb), background));
    return best;
}

// Where each text of the window is drawn, in its widget's coordinates.
std::vector<std::pair<QWidget*, QRect>> textAreas(const Form1Design& ui)
{
    const auto title = [](QGroupBox* box) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    };
    // Past the check box's square; inside the frames and bevels of the others.
    const auto caption = [](QWidget* box) { return box->rect().adjusted(20, 0, 0, 0); };
    const auto inside = [](QWidget* widget) { return widget->rect().adjusted(4, 4, -4, -4); };
    auto* date = ui.CF1->findChild<QLabel*>(QStringLiteral("lblDate"));
    return {{ui.Label1, inside(ui.Label1)},          {ui.Label2, ui.Label2->rect()},
            {ui.lblSecondaryTime, ui.lblSecondaryTime->rect()}, {date, date->rect()},
            {ui.fraTime, title(ui.fraTime)},         {ui.fraAutoConnect, title(ui.fraAutoConnect)},
            {ui.chkUnload, caption(ui.chkUnload)},   {ui.ChkDisconnect, caption(ui.ChkDisconnect)},
            {ui.TxtTime, inside(ui.TxtTime)},        {ui.txtAway, inside(ui.txtAway)},
            {ui.cmdSetTime, inside(ui.cmdSetTime)},  {ui.CmdConnect, inside(ui.CmdConnect)},
            {ui.cboTimeZone->lineEdit(), inside(ui.cboTimeZone->lineEdit())},
            {ui.lstConnectState->viewport(), ui.lstConnectState->viewport()->rect()}};
}

} // namespace

// Every text of the window, as drawn, reads at 4.5 : 1 or better against the
// pixels behind it, under a light and a dark palette; the groups are enabled,
// as a user who ticks their boxes sees them.
TEST(ContrastTest, EveryTextReadsAgainstWhatIsDrawnBehindItUnderLightAndDarkPalettes)
{
    const QPalette original = QApplication::palette();
    for (const auto& [name, palette] : {std::pair{"light", QApplication::style()->standardPalette()},
                                        std::pair{"dark", darkPalette()}}) {
        SCOPED_TRACE(name);
        QApplication::setPalette(palette);
        QMainWindow window;
        Form1Design ui;
        ui.setupUi(&window);
        for (QWidget* group : {static_cast<QWidget*>(ui.fraTime), static_cast<QWidget*>(ui.fraAutoConnect)}) {
            group->setEnabled(true);
            for (QWidget* child : group->findChildren<QWidget*>())
                child->setEnabled(true);
        }
        ui.cboTimeZone->addItem(QStringLiteral("Afghanistan-Kabul"));
        ui.lstConnectState->addItem(QStringLiteral("Status: Connected"));
        ui.lstConnectState->setCurrentRow(0);
        ui.CF1->setTimeSource([] { return QDateTime(QDate(2026, 5, 14), QTime(9, 41, 30)); });
        ui.CF1->ClockTimer_Timer();
        window.show();
        const QImage image = window.grab().toImage();
        for (const auto& [widget, area] : textAreas(ui)) {
            const QRect onWindow(widget->mapTo(&window, area.topLeft()), area.size());
            EXPECT_GE(textContrast(image, onWindow), DesignStyle::kReadableContrast) << qPrintable(widget->objectName());
        }
    }
    QApplication::setPalette(original);
}
