#include "ui/form1design.h"
#include "ui/fittedcheckbox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleOptionGroupBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class Form1DesignTest : public testing::Test
{
protected:
    Form1DesignTest() { ui.setupUi(&window); }

    template <typename T = QWidget>
    T* control(const char* name) const
    {
        return window.findChild<T*>(QLatin1String(name));
    }

    QMainWindow window;
    Form1Design ui;
};

struct ControlRow
{
    const char* name;
    const char* className;
    const char* container;
    QRect rect;
    const char* text;
};

QString shownText(const QWidget* widget)
{
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
        return frame->title();
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    return widget->property("text").toString();
}

const QString kFrameTimeCaption = QStringLiteral("       Update Time every             hours");
const QString kUnloadCaption =
    QStringLiteral("Unload at startup if next scheduled update time is more than           hours away");

} // namespace

TEST(OffscreenScreen, ReportsNinetySixDpi)
{
    QWidget probe;
    EXPECT_EQ(probe.logicalDpiX(), 96);
    EXPECT_EQ(probe.logicalDpiY(), 96);
}

TEST_F(Form1DesignTest, EveryControlSitsInItsPlace)
{
    const ControlRow rows[] = {
        {"cmdSetTime", "QPushButton", "clientArea", {272, 16, 87, 23}, "Set Time"},
        {"Label1", "QLabel", "clientArea", {80, 16, 177, 32}, "Click \"Set Time\" to get current time."},
        {"Label2", "QLabel", "clientArea", {8, 16, 69, 16}, "Date/Time:"},
        {"lstConnectState", "QListWidget", "clientArea", {0, 288, 380, 18}, ""},
        {"CmdConnect", "QPushButton", "clientArea", {272, 160, 87, 23}, "Connect"},
        {"CmdDisconnect", "QPushButton", "clientArea", {272, 160, 87, 23}, "Disconnect"},
        {"fraAutoConnect", "QGroupBox", "clientArea", {8, 152, 249, 73}, "       Auto Dial up"},
        {"ChkDisconnect", "QCheckBox", "fraAutoConnect", {8, 48, 161, 17}, "Disconnect when done"},
        {"chkAutoConnect", "FittedCheckBox", "clientArea", {16, 152, 13, 17}, ""},
        {"fraTime", "QGroupBox", "clientArea", {8, 72, 361, 73}, "       Update Time every             hours"},
        {"chkTime", "FittedCheckBox", "clientArea", {16, 72, 13, 13}, ""},
        {"TxtTime", "QLineEdit", "fraTime", {152, 0, 26, 19}, "2"},
        {"txtAway", "QLineEdit", "fraTime", {56, 40, 25, 19}, "4"},
        {"chkUnload", "FittedCheckBox", "fraTime", {8, 24, 345, 33},
         "Unload at startup if next scheduled update time is more than           hours away"},
        {"cboEntries", "QComboBox", "fraAutoConnect", {8, 24, 233, 21}, ""},
        {"CF1", "QWidget", "clientArea", {240, 248, 128, 33}, ""},
        {"cboTimeZone", "QComboBox", "clientArea", {8, 256, 233, 21}, "TimeZone"},
        {"lblSecondaryTime", "QLabel", "clientArea", {8, 237, 105, 17}, "Secondary Time"},
        {"line1", "QFrame", "clientArea", {112, 245, 248, 1}, ""},
        {"lin2", "QFrame", "clientArea", {112, 247, 248, 1}, ""},
    };
    for (const ControlRow& row : rows) {
        SCOPED_TRACE(row.name);
        const QWidget* widget = control(row.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), row.className);
        EXPECT_EQ(widget->parentWidget()->objectName(), QLatin1String(row.container));
        EXPECT_EQ(widget->geometry(), row.rect);
        EXPECT_EQ(shownText(widget), QString::fromUtf8(row.text));
    }
}

TEST_F(Form1DesignTest, WindowHasItsTitleAndFixedClientArea)
{
    EXPECT_EQ(window.objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Korvel Time & Date Setter"));
    EXPECT_EQ(window.centralWidget()->size(), QSize(379, 305));
    EXPECT_EQ(window.centralWidget()->minimumSize(), window.centralWidget()->maximumSize());
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_EQ(window.property("helpContextId").toInt(), 10);
    EXPECT_EQ(ui.cmdSetTime->property("helpContextId").toInt(), 220);
}

TEST_F(Form1DesignTest, ToolTipsAreTheDesignedOnes)
{
    const std::pair<const char*, const char*> tips[] = {
        {"cmdSetTime", "This will set your PC's date and time from the Atomic clock."},
        {"Label1", "Here you will see the date and time received or an error message."},
        {"lstConnectState", "This shows the connection information."},
        {"CmdConnect", "This will connect you to the selected connection"},
        {"CmdDisconnect", "This will disconnect you if Korvel made the connection."},
        {"ChkDisconnect", "This will tell the program to disconnect a connection it made when it's done"},
    };
    for (const auto& [name, tip] : tips)
        EXPECT_EQ(control(name)->toolTip(), QString::fromUtf8(tip)) << name;
    EXPECT_TRUE(ui.chkTime->toolTip().isEmpty());
}

TEST_F(Form1DesignTest, FramesStartDisabledWhileTheirCaptionBoxesStayUsable)
{
    for (const char* name : {"fraAutoConnect", "ChkDisconnect", "fraTime", "TxtTime", "txtAway", "chkUnload"})
        EXPECT_FALSE(control(name)->isEnabled()) << name;
    for (const char* name : {"chkTime", "chkAutoConnect", "cmdSetTime", "CmdConnect", "cboTimeZone"})
        EXPECT_TRUE(control(name)->isEnabled()) << name;
    EXPECT_TRUE(ui.CmdDisconnect->isHidden());
    EXPECT_FALSE(ui.CmdConnect->isHidden());
}

TEST_F(Form1DesignTest, TabOrderRunsFromSetTimeToTheTimeZoneList)
{
    const QStringList expected = {"cmdSetTime", "lstConnectState", "CmdConnect", "CmdDisconnect",
                                  "ChkDisconnect", "chkAutoConnect", "chkTime", "TxtTime", "txtAway",
                                  "chkUnload", "cboEntries", "cboTimeZone"};
    QStringList order;
    QWidget* widget = ui.cmdSetTime;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && !widget->objectName().isEmpty()
            && widget->parentWidget() && !qobject_cast<QComboBox*>(widget->parentWidget()))
            order.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != ui.cmdSetTime && order.size() < 40);
    EXPECT_EQ(order, expected);
}

TEST_F(Form1DesignTest, ColoursAndFontsFollowTheDesign)
{
    EXPECT_EQ(ui.Label1->palette().color(QPalette::Window), QColor(224, 224, 224));
    EXPECT_EQ(ui.Label1->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(ui.lstConnectState->palette().color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(ui.lstConnectState->palette().color(QPalette::Text), QColor(192, 0, 0));
    EXPECT_EQ(ui.fraTime->palette().color(QPalette::Active, QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_EQ(ui.fraAutoConnect->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 128, 128));
    EXPECT_EQ(ui.lblSecondaryTime->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    EXPECT_EQ(ui.line1->palette().color(QPalette::Window), QColor(64, 64, 64));
    EXPECT_EQ(ui.lin2->palette().color(QPalette::Window), QColor(224, 224, 224));

    EXPECT_DOUBLE_EQ(ui.Label2->font().pointSizeF(), 9.75);
    EXPECT_TRUE(ui.Label2->font().bold());
    EXPECT_DOUBLE_EQ(ui.Label1->font().pointSizeF(), 8.25);
    EXPECT_DOUBLE_EQ(ui.chkUnload->font().pointSizeF(), 9.75);
    EXPECT_DOUBLE_EQ(ui.cmdSetTime->font().pointSizeF(), 8.25);
    EXPECT_EQ(QFontInfo(ui.Label1->font()).family(), QStringLiteral("Liberation Sans"));
}

TEST_F(Form1DesignTest, CaptionBoxesSitInTheGapsOfTheFrameCaption)
{
    // The update frame reads "[x] Update Time every [2] hours".
    QStyleOptionGroupBox option;
    option.initFrom(ui.fraTime);
    option.text = ui.fraTime->title();
    option.textAlignment = ui.fraTime->alignment();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect label =
        ui.fraTime->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, ui.fraTime);
    const QFontMetrics metrics(ui.fraTime->font());
    const auto textEnd = [&](int length) {
        return label.left() + metrics.horizontalAdvance(kFrameTimeCaption.left(length));
    };
    const int every = kFrameTimeCaption.indexOf(QStringLiteral("every")) + 5;
    const int hours = kFrameTimeCaption.indexOf(QStringLiteral("hours"));

    EXPECT_GE(ui.TxtTime->x(), textEnd(every));
    EXPECT_LE(ui.TxtTime->geometry().right(), textEnd(hours));
    const QRect checkBox(ui.fraTime->mapFrom(ui.clientArea, ui.chkTime->pos()), ui.chkTime->size());
    EXPECT_LE(checkBox.right(), textEnd(7));
    EXPECT_LE(checkBox.top(), label.center().y());
    EXPECT_GE(checkBox.bottom(), label.center().y());
}

TEST_F(Form1DesignTest, MenusAndTimerAreAsDesigned)
{
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&Help"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&Options"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("Change &Settings"));
    EXPECT_EQ(menus[0]->menu(), ui.help);
    EXPECT_EQ(ui.help->objectName(), QStringLiteral("help"));
    EXPECT_EQ(ui.mnuOptions->objectName(), QStringLiteral("mnuOptions"));
    EXPECT_EQ(ui.Settings->objectName(), QStringLiteral("Settings"));

    EXPECT_EQ(ui.help->actions(), QList<QAction*>{ui.helpf});
    EXPECT_EQ(ui.helpf->text(), QStringLiteral("Help &File"));
    EXPECT_EQ(ui.mnuOptions->actions(), QList<QAction*>{ui.mnuBeep});
    EXPECT_EQ(ui.mnuBeep->text(), QStringLiteral("Beep On Update"));
    EXPECT_EQ(ui.Settings->actions(), (QList<QAction*>{ui.Zone, ui.Regional}));
    EXPECT_EQ(ui.Zone->text(), QStringLiteral("Time &Zone"));
    EXPECT_EQ(ui.Regional->text(), QStringLiteral("&Regional"));
    EXPECT_EQ(window.findChild<QAction*>(QStringLiteral("mnuBeep")), ui.mnuBeep);

    EXPECT_FALSE(ui.mnuBeep->isChecked());
    ui.mnuBeep->trigger();
    EXPECT_TRUE(ui.mnuBeep->isChecked());
    ui.mnuBeep->trigger();
    EXPECT_FALSE(ui.mnuBeep->isChecked());

    EXPECT_EQ(window.findChild<QTimer*>(QStringLiteral("Timer1")), ui.Timer1);
    EXPECT_EQ(ui.Timer1->interval(), 0);
    EXPECT_FALSE(ui.Timer1->isActive());
}

TEST_F(Form1DesignTest, StatusListShowsOneLine)
{
    for (int i = 0; i < 5; ++i)
        ui.lstConnectState->addItem(QStringLiteral("line %1").arg(i));
    window.show();
    EXPECT_LT(ui.lstConnectState->viewport()->height(), 2 * ui.lstConnectState->sizeHintForRow(0));
    EXPECT_GE(ui.lstConnectState->viewport()->height(), ui.lstConnectState->sizeHintForRow(0) - 2);
}
