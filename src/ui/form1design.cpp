// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/form1design.h"

#include "ui/clockface.h"
#include "ui/designstyle.h"
#include "ui/programicon.h"
#include "ui/twipsconverter.h"
#include "ui/fittedcheckbox.h"
#include "ui/listchoicecombobox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

namespace {

using DesignStyle::designFont;
using DesignStyle::kDialogPoints;
using DesignStyle::kLargePoints;
using DesignStyle::setBackground;
using DesignStyle::setForeground;

template <typename Widget>
Widget* place(Widget* widget, const char* name, const QRect& rect)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(rect);
    return widget;
}

QFrame* etchedLine(QWidget* parent, const char* name, const QRect& rect, const QColor& colour)
{
    auto* line = place(new QFrame(parent), name, rect);
    line->setFrameShape(QFrame::NoFrame);
    setBackground(line, QPalette::Window, colour);
    return line;
}

} // namespace

void Form1Design::setupUi(QMainWindow* form)
{
    const TwipsConverter twips(form->logicalDpiX());
    buildClientArea(form, twips);
    buildResultRow(twips);
    buildStatusLine(twips);
    buildConnectButtons(twips);
    buildDialUpGroup(twips);
    buildUpdateGroup(twips);
    buildSecondaryTime(twips);
    buildRuleLines(twips);
    setTabOrder();
    buildMenus(form);
}

void Form1Design::buildClientArea(QMainWindow* form, const TwipsConverter& twips)
{
    form->setObjectName(QStringLiteral("Form1"));
    form->setWindowTitle(QCoreApplication::translate("Form1", "Korvel Time & Date Setter"));
    form->setWindowIcon(ProgramIcon::icon());
    form->setProperty("helpContextId", 10);

    clientArea = new QWidget(form);
    clientArea->setObjectName(QStringLiteral("clientArea"));
    clientArea->setFixedSize(twips.toPixels(5685), twips.toPixels(4575));
    clientArea->setFont(designFont(kDialogPoints));
    setForeground(clientArea, QColor(0, 0, 128));
    form->setCentralWidget(clientArea);
}

void Form1Design::buildResultRow(const TwipsConverter& twips)
{
    cmdSetTime = place(new QPushButton(QCoreApplication::translate("Form1", "Set Time"), clientArea), "cmdSetTime",
                       twips.rect(4080, 240, 1300, 350));
    cmdSetTime->setToolTip(QCoreApplication::translate("Form1", "This will set your PC's date and time from the Atomic clock."));
    cmdSetTime->setProperty("helpContextId", 220);
    cmdSetTime->setAutoDefault(true); // Return presses the focused button, as Space does

    Label1 = place(new QLabel(QCoreApplication::translate("Form1", "Click \"Set Time\" to get current time."), clientArea),
                   "Label1", twips.rect(1200, 240, 2655, 480));
    Label1->setFont(designFont(kDialogPoints));
    Label1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setWordWrap(true);
    setBackground(Label1, QPalette::Window, QColor(224, 224, 224));
    setForeground(Label1, QColor(0, 128, 0));
    Label1->setToolTip(QCoreApplication::translate("Form1", "Here you will see the date and time received or an error message."));
    Label1->setAccessibleDescription(
        QCoreApplication::translate("Form1", "The date and time received, or an error message"));

    Label2 = place(new QLabel(QCoreApplication::translate("Form1", "Date/Time:"), clientArea), "Label2",
                   twips.rect(120, 240, 1035, 240));
    Label2->setFont(designFont(kLargePoints, true));
    setForeground(Label2, QColor(0, 128, 0));
}

// One line high, with the newest line selected, so it reads as a status bar.
void Form1Design::buildStatusLine(const TwipsConverter& twips)
{
    // The design lets it run 15 twips past the client area's right and bottom
    // edges; it keeps its height and lies along the bottom edge instead, so
    // that its border shows whole.
    const int height = twips.toPixels(270);
    lstConnectState = place(new QListWidget(clientArea), "lstConnectState",
                            QRect(0, clientArea->height() - height, clientArea->width(), height));
    lstConnectState->setFont(designFont(kDialogPoints));
    lstConnectState->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstConnectState->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstConnectState->setSelectionMode(QAbstractItemView::SingleSelection);
    setBackground(lstConnectState, QPalette::Base, QColor(192, 192, 192));
    setForeground(lstConnectState, QColor(192, 0, 0));
    lstConnectState->setToolTip(QCoreApplication::translate("Form1", "This shows the connection information."));
    lstConnectState->setAccessibleName(QCoreApplication::translate("Form1", "Status"));
    // The selected newest line hides the focus frame: the frame draws the focus.
    lstConnectState->setStyleSheet(QStringLiteral("QListWidget:focus { border: 2px solid palette(highlight); }"));
}

// Connect and Disconnect share one place; Disconnect starts hidden.
void Form1Design::buildConnectButtons(const TwipsConverter& twips)
{
    CmdConnect = place(new QPushButton(QCoreApplication::translate("Form1", "Connect"), clientArea), "CmdConnect",
                       twips.rect(4080, 2400, 1300, 350));
    CmdConnect->setToolTip(QCoreApplication::translate("Form1", "This will connect you to the selected connection"));
    CmdConnect->setAutoDefault(true);
    CmdDisconnect = place(new QPushButton(QCoreApplication::translate("Form1", "Disconnect"), clientArea), "CmdDisconnect",
                          twips.rect(4080, 2400, 1300, 350));
    CmdDisconnect->setToolTip(QCoreApplication::translate("Form1", "This will disconnect you if Korvel made the connection."));
    CmdDisconnect->setAutoDefault(true);
    CmdDisconnect->hide();
}

// The check box sits over the caption's leading spaces and belongs to the
// window, so it stays usable while the frame is disabled.
void Form1Design::buildDialUpGroup(const TwipsConverter& twips)
{
    fraAutoConnect = place(new QGroupBox(QCoreApplication::translate("Form1", "       Auto Dial up"), clientArea),
                           "fraAutoConnect", twips.rect(120, 2280, 3735, 1095));
    fraAutoConnect->setFont(designFont(kLargePoints));
    setForeground(fraAutoConnect, QColor(0, 128, 128));
    fraAutoConnect->setEnabled(false);

    ChkDisconnect = place(new QCheckBox(QCoreApplication::translate("Form1", "Disconnect when done"), fraAutoConnect),
                          "ChkDisconnect", twips.rect(120, 720, 2415, 255));
    ChkDisconnect->setFont(designFont(kLargePoints));
    setForeground(ChkDisconnect, QColor(0, 128, 128));
    ChkDisconnect->setToolTip(
        QCoreApplication::translate("Form1", "This will tell the program to disconnect a connection it made when it's done"));
    ChkDisconnect->setEnabled(false);

    cboEntries = place(new QComboBox(fraAutoConnect), "cboEntries", twips.rect(120, 360, 3495, 315));
    cboEntries->setEditable(true);
    cboEntries->setAccessibleName(QCoreApplication::translate("Form1", "Dial-up connection"));
    cboEntries->lineEdit()->setAccessibleName(cboEntries->accessibleName());
    setForeground(cboEntries, QColor(0, 128, 128));

    chkAutoConnect = place(new FittedCheckBox(QString(), clientArea), "chkAutoConnect",
                           twips.rect(240, 2280, 195, 255));
    // Its caption is the frame's, which it covers.
    chkAutoConnect->setAccessibleName(fraAutoConnect->title().trimmed());
    chkAutoConnect->raise();
}

QString Form1Design::unloadCaption()
{
    return QCoreApplication::translate("Form1", "Unload at startup if next scheduled update time is more than"
                                                "           hours away");
}

// The caption reads as a sentence: the check box covers its leading spaces
// and the hours box its gap; chkUnload's caption holds the away box the same way.
void Form1Design::buildUpdateGroup(const TwipsConverter& twips)
{
    fraTime = place(new QGroupBox(QCoreApplication::translate("Form1", "       Update Time every             hours"), clientArea),
                    "fraTime", twips.rect(120, 1080, 5415, 1095));
    fraTime->setFont(designFont(kLargePoints));
    setForeground(fraTime, QColor(128, 0, 0));
    fraTime->setEnabled(false);

    chkTime = place(new FittedCheckBox(QString(), clientArea), "chkTime", twips.rect(240, 1080, 195, 195));
    chkTime->setAccessibleName(QCoreApplication::translate("Form1", "Update Time every"));
    chkTime->raise();

    TxtTime = place(new QLineEdit(QStringLiteral("2"), fraTime), "TxtTime", twips.rect(2280, 0, 390, 285));
    setForeground(TxtTime, QColor(128, 0, 0));
    TxtTime->setEnabled(false);
    TxtTime->setAccessibleName(QCoreApplication::translate("Form1", "Hours between updates"));

    chkUnload = place(new FittedCheckBox(unloadCaption(), fraTime),
                      "chkUnload", twips.rect(120, 360, 5175, 495));
    chkUnload->setFont(designFont(kLargePoints));
    setForeground(chkUnload, QColor(128, 0, 0));
    chkUnload->setEnabled(false);

    txtAway = place(new QLineEdit(QStringLiteral("4"), fraTime), "txtAway", twips.rect(840, 600, 375, 285));
    setForeground(txtAway, QColor(128, 0, 0));
    txtAway->setEnabled(false);
    txtAway->setAccessibleName(QCoreApplication::translate("Form1", "Hours away at which a start unloads"));
    txtAway->raise();
}

void Form1Design::buildSecondaryTime(const TwipsConverter& twips)
{
    lblSecondaryTime = place(new QLabel(QCoreApplication::translate("Form1", "Secondary Time"), clientArea), "lblSecondaryTime",
                             twips.rect(120, 3555, 1575, 255));
    lblSecondaryTime->setFont(designFont(kLargePoints));
    setForeground(lblSecondaryTime, QColor(0, 0, 192));

    // Placed smaller than its design surface, the clock face shows only its
    // date line and LED panel.
    CF1 = place(new ClockFace(clientArea), "CF1", twips.rect(3600, 3720, 1920, 495));
    CF1->setAccessibleDescription(lblSecondaryTime->text());

    // The list reaches one pixel into the clock face's empty left margin in
    // the design; keeping the list above leaves its edge whole.
    cboTimeZone = place(new ListChoiceComboBox(clientArea), "cboTimeZone", twips.rect(120, 3840, 3495, 315));
    cboTimeZone->setEditText(QStringLiteral("TimeZone"));
    cboTimeZone->setAccessibleName(QCoreApplication::translate("Form1", "Time zone of the secondary time"));
    // An editable box's text field is a control of its own to a screen reader.
    cboTimeZone->lineEdit()->setAccessibleName(cboTimeZone->accessibleName());
    setForeground(cboTimeZone, QColor(0, 0, 128));
}

// The etched rule after "Secondary Time": a dark line over a light one.
void Form1Design::buildRuleLines(const TwipsConverter& twips)
{
    const int ruleLeft = twips.toPixels(1680);
    const int ruleWidth = twips.toPixels(5400) - ruleLeft;
    line1 = etchedLine(clientArea, "line1", QRect(ruleLeft, twips.toPixels(3675), ruleWidth, 1),
                       QColor(64, 64, 64));
    lin2 = etchedLine(clientArea, "lin2", QRect(ruleLeft, twips.toPixels(3705), ruleWidth, 1),
                      QColor(224, 224, 224));
}

// Top to bottom, left to right, as the window reads.
void Form1Design::setTabOrder()
{
    QWidget* const tabOrder[] = {cmdSetTime, chkTime, TxtTime, chkUnload, txtAway, chkAutoConnect,
                                 cboEntries, ChkDisconnect, CmdConnect, CmdDisconnect, cboTimeZone, CF1,
                                 lstConnectState};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void Form1Design::buildMenus(QMainWindow* form)
{
    QMenuBar* menuBar = form->menuBar();
    help = menuBar->addMenu(QCoreApplication::translate("Form1", "&Help"));
    help->setObjectName(QStringLiteral("help"));
    helpf = help->addAction(QCoreApplication::translate("Form1", "Help &File"));
    helpf->setObjectName(QStringLiteral("helpf"));

    mnuOptions = menuBar->addMenu(QCoreApplication::translate("Form1", "&Options"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    mnuBeep = mnuOptions->addAction(QCoreApplication::translate("Form1", "Beep On Update"));
    mnuBeep->setObjectName(QStringLiteral("mnuBeep"));
    mnuBeep->setCheckable(true);
    // Usable once the system's time service has said whether it keeps the clock.
    mnuNetworkTime = mnuOptions->addAction(QCoreApplication::translate("Form1", "Let network time keep the clock"));
    mnuNetworkTime->setObjectName(QStringLiteral("mnuNetworkTime"));
    mnuNetworkTime->setCheckable(true);
    mnuNetworkTime->setEnabled(false);
    mnuOptions->addSeparator();
    mnuHistory = mnuOptions->addAction(QCoreApplication::translate("Form1", "&History…"));
    mnuHistory->setObjectName(QStringLiteral("mnuHistory"));

    Settings = menuBar->addMenu(QCoreApplication::translate("Form1", "Change &Settings"));
    Settings->setObjectName(QStringLiteral("Settings"));
    Zone = Settings->addAction(QCoreApplication::translate("Form1", "Time &Zone"));
    Zone->setObjectName(QStringLiteral("Zone"));
    Regional = Settings->addAction(QCoreApplication::translate("Form1", "&Regional"));
    Regional->setObjectName(QStringLiteral("Regional"));
}
