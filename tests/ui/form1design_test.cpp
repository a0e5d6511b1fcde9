#include "ui/form1design.h"

#include <QAction>
#include <QComboBox>
#include <QCheckBox>
#include <QGroupBox>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class Form1DesignTest : public testing::Test
{
protected:
    Form1DesignTest() { ui.setupUi(&window); }
    QMainWindow window;
    Form1Design ui;
};

QString shownText(const QWidget* widget)
{
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
        return frame->title();
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    return widget->property("text").toString();
}

enum State { Normal, Disabled, Hidden };

} // namespace

TEST_F(Form1DesignTest, EveryControlHasItsPlaceCaptionTipAndState)
{
    ASSERT_EQ(window.logicalDpiX(), 96);
    const struct Row {
        const char* name;
        const char* className;
        const char* container;
        QRect rect;
        const char* text;
        State state;
        const char* tip;
    } rows[] = {
        {"cmdSetTime", "QPushButton", "clientArea", {272, 16, 87, 23}, "Set Time", Normal,
         "This will set your PC's date and time from the Atomic clock."},
        {"Label1", "QLabel", "clientArea", {80, 16, 177, 32}, "Click \"Set Time\" to get current time.", Normal,
         "Here you will see the date and time received or an error message."},
        {"Label2", "QLabel", "clientArea", {8, 16, 69, 16}, "Date/Time:", Normal, ""},
        {"lstConnectState", "QListWidget", "clientArea", {0, 288, 380, 18}, "", Normal,
         "This shows the connection information."},
        {"CmdConnect", "QPushButton", "clientArea", {272, 160, 87, 23}, "Connect", Normal,
         "This will connect you to the selected connection"},
        {"CmdDisconnect", "QPushButton", "clientArea", {272, 160, 87, 23}, "Disconnect", Hidden,
         "This will disconnect you if Korvel made the connection."},
        {"fraAutoConnect", "QGroupBox", "clientArea", {8, 152, 249, 73}, "       Auto Dial up", Disabled, ""},
        {"ChkDisconnect", "QCheckBox", "fraAutoConnect", {8, 48, 161, 17}, "Disconnect when done", Disabled,
         "This will tell the program to disconnect a connection it made when it's done"},
        {"chkAutoConnect", "FittedCheckBox", "clientArea", {16, 152, 13, 17}, "", Normal, ""},
        {"fraTime", "QGroupBox", "clientArea", {8, 72, 361, 73}, "       Update Time every             hours",
         Disabled, ""},
        {"chkTime", "FittedCheckBox", "clientArea", {16, 72, 13, 13}, "", Normal, ""},
        {"TxtTime", "QLineEdit", "fraTime", {152, 0, 26, 19}, "2", Disabled, ""},
        {"txtAway", "QLineEdit", "fraTime", {56, 40, 25, 19}, "4", Disabled, ""},
        {"chkUnload", "FittedCheckBox", "fraTime", {8, 24, 345, 33},
         "Unload at startup if next scheduled update time is more than           hours away", Disabled, ""},
        {"cboEntries", "QComboBox", "fraAutoConnect", {8, 24, 233, 21}, "", Normal, ""},
        {"CF1", "ClockFace", "clientArea", {240, 248, 128, 33}, "", Normal, ""},
        {"cboTimeZone", "QComboBox", "clientArea", {8, 256, 233, 21}, "TimeZone", Normal, ""},
        {"lblSecondaryTime", "QLabel", "clientArea", {8, 237, 105, 17}, "Secondary Time", Normal, ""},
        {"line1", "QFrame", "clientArea", {112, 245, 248, 1}, "", Normal, ""},
        {"lin2", "QFrame", "clientArea", {112, 247, 248, 1}, "", Normal, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QWidget* widget = window.findChild<QWidget*>(QLatin1String(row.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), row.className);
        EXPECT_EQ(widget->parentWidget()->objectName(), QLatin1String(row.container));
        EXPECT_EQ(widget->geometry(), row.rect);
        EXPECT_EQ(shownText(widget), QString::fromUtf8(row.text));
        EXPECT_EQ(widget->toolTip(), QString::fromUtf8(row.tip));
        EXPECT_EQ(widget->testAttribute(Qt::WA_ForceDisabled), row.state == Disabled);
        EXPECT_EQ(widget->isHidden(), row.state == Hidden);
    }
    // The caption check boxes belong to the window and stay usable.
    EXPECT_TRUE(ui.chkTime->isEnabled());
    EXPECT_TRUE(ui.chkAutoConnect->isEnabled());
    EXPECT_EQ(window.centralWidget()->minimumSize(), QSize(379, 305));
    EXPECT_EQ(window.centralWidget()->maximumSize(), QSize(379, 305));
}

TEST_F(Form1DesignTest, TabOrderRunsFromSetTimeToTheTimeZoneList)
{
    const QStringList expected = {"cmdSetTime", "lstConnectState", "CmdConnect", "CmdDisconnect",
                                  "ChkDisconnect", "chkAutoConnect", "chkTime", "TxtTime", "txtAway",
                                  "chkUnload", "cboEntries", "cboTimeZone"};
    QStringList order;
    QWidget* widget = ui.cmdSetTime;
    do {
        if (expected.contains(widget->objectName()))
            order.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != ui.cmdSetTime);
    EXPECT_EQ(order, expected);
}

TEST_F(Form1DesignTest, TitleIconAndMenusAreAsDesigned)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Korvel Time & Date Setter"));
    EXPECT_EQ(window.windowIcon().availableSizes(), (QList<QSize>{QSize(32, 32), QSize(16, 16)}));

    QStringList captions;
    for (const QAction* menu : window.menuBar()->actions()) {
        captions.append(menu->menu()->objectName() + QLatin1Char(':') + menu->text());
        for (const QAction* item : menu->menu()->actions())
            captions.append(item->objectName() + QLatin1Char(':') + item->text());
    }
    EXPECT_EQ(captions, QStringList({"help:&Help", "helpf:Help &File", "mnuOptions:&Options",
                                     "mnuBeep:Beep On Update", "Settings:Change &Settings", "Zone:Time &Zone",
                                     "Regional:&Regional"}));
}
