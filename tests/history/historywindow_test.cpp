// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1fixture.h"
#include "history/updatehistory.h"
#include "historywindow/chartcolours.h"
#include "loopbacktimeserver.h"
#include "support/darkpalette.h"
#include "support/fakebackend.h"
#include "support/localescope.h"
#include "tray/frmsystray.h"
#include "ui/designstyle.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QDateTime kNow = QDateTime::currentDateTimeUtc();

bool chartsLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6Charts");
}

using Written = QList<std::tuple<int, HistoryRecord::Outcome, qint64>>;
// A check under network time, then two settings of a clock that loses a second a day.
const Written kLosing{{6, HistoryRecord::Outcome::Checked, 40'000},
                      {3, HistoryRecord::Outcome::Set, -250'000},
                      {0, HistoryRecord::Outcome::Set, -125'000}};

// The main window over a history the test writes in a state folder of its own.
class HistoryWindowTest : public Form1Fixture
{
protected:
    HistoryWindowTest() { qputenv("XDG_STATE_HOME", QFile::encodeName(state.path())); }
    ~HistoryWindowTest() override { qputenv("XDG_STATE_HOME", previousState); }

    // Records written `hours` ago (and a minute), with their outcome and offset.
    static void write(const Written& records)
    {
        UpdateHistory written;
        for (const auto& [hoursAgo, outcome, offsetUsec] : records)
            written.append({.utc = kNow.addSecs(-3600 * hoursAgo - 60), .outcome = outcome, .reason = {},
                            .offsetUsec = offsetUsec, .uncertaintyUsec = 9'000,
                            .servers = {QStringLiteral("127.0.0.1:37")}, .lagSeconds = {}, .askedByUser = false});
    }

    static QWidget* historyWindow()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String("HistoryWindow") && widget->isVisible())
                return widget;
        return nullptr;
    }

    const QByteArray previousState = qgetenv("XDG_STATE_HOME");
    QTemporaryDir state;
    const LocaleScope english{"en_US"};
};

} // namespace

TEST_F(HistoryWindowTest, OpensFromEitherMenuWithQtChartsLoadedOnlyThenAndShowsEveryRecordReadablyInAnyPalette)
{
    write(kLosing);
    load("CheckTime=2\n");
    EXPECT_FALSE(chartsLoaded()) << "nothing of the chart at start";
    form->design().mnuHistory->trigger();
    QWidget* window = historyWindow();
    ASSERT_TRUE(window) << "the module beside the program was not loaded";
    EXPECT_TRUE(chartsLoaded());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Korvel - History"));

    const auto* table = window->findChild<QAbstractItemView*>(QStringLiteral("records"));
    ASSERT_TRUE(table);
    ASSERT_EQ(table->model()->rowCount(), 3);
    const auto offsetsInOrder = [&] {
        QStringList offsets;
        for (int row = 0; row < 3; ++row)
            offsets << table->model()->index(row, 2).data().toString();
        return offsets;
    };
    EXPECT_EQ(offsetsInOrder(), (QStringList{"-0.125", "-0.250", "+0.040"})) << "newest first";
    table->model()->sort(2, Qt::AscendingOrder);
    EXPECT_EQ(offsetsInOrder(), (QStringList{"-0.250", "-0.125", "+0.040"})) << "by the number, not the text";

    // The drift: a quarter of a second lost... and the readers hear what the chart shows.
    const QString summary = window->findChild<QLabel*>(QStringLiteral("summary"))->text();
    EXPECT_TRUE(summary.startsWith(QStringLiteral("3 updates from "))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("The clock loses 1 s a day (12 ppm)"))) << summary.toStdString();
    QWidget* chart = window->findChild<QWidget*>(QStringLiteral("chart"));
    EXPECT_FALSE(chart->accessibleName().isEmpty());
    EXPECT_EQ(chart->accessibleDescription(), summary);
    // The chart follows the light and the dark palette readably.
    for (const QPalette& palette : {QApplication::palette(), darkPalette()}) {
        window->setPalette(palette);
        const ChartColours colours = ChartColours::forPalette(palette);
        const QImage drawn = chart->grab().toImage();
        // Inside the chart's rounded ground, off the axes and the legend.
        EXPECT_EQ(drawn.pixelColor(20, 20), palette.color(QPalette::Base)) << palette.color(QPalette::Base).name().toStdString();
        EXPECT_GE(DesignStyle::contrastRatio(colours.text, colours.background), 4.5);
        for (const QColor& mark : {colours.set, colours.measured, colours.drift})
            EXPECT_GE(DesignStyle::contrastRatio(mark, colours.background), 3.0) << mark.name().toStdString();
    }

    window->findChild<QPushButton*>(QStringLiteral("copy"))->click();
    const QStringList copied = QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(copied.size(), 4);
    EXPECT_EQ(copied.first(), QString::fromLatin1(HistoryRecord::header()));
    EXPECT_TRUE(copied.at(1).contains(QStringLiteral(",checked,,0.040000,0.009000,127.0.0.1:37,,schedule")));

    // The tray menu's item, placed before the separator, brings up the same window.
    EXPECT_EQ(form->trayForm()->MenuCaption(1), QStringLiteral("&History…"));
    window->close();
    for (QAction* action : form->trayForm()->mnuPopup()->actions())
        if (action->text() == QStringLiteral("&History…"))
            action->trigger();
    EXPECT_TRUE(historyWindow());
}

TEST_F(HistoryWindowTest, AfterAnUpdateTheTrayTipSaysTheDriftAndAnOpenWindowShowsTheNewRecord)
{
    // Following the clock, so that a slow (sanitized) run asks it no later in its second.
    const auto server = LoopbackTimeServer::followingClock(std::chrono::milliseconds(-2000));
    host = server->entry();
    auto modem = std::make_shared<FakeBackend>();
    modem->state = {NetResult::success(), InternetFlags::Modem, {}};
    backend = modem;
    write({{3, HistoryRecord::Outcome::Set, -250'000}});
    load("CheckTime=2\n");
    form->design().mnuHistory->trigger();
    ASSERT_TRUE(historyWindow());
    form->cmdSetTime_Click();
    ASSERT_EQ(clockSetter->adjustments.size(), 1);
    // Set three hours ago, the clock is now two seconds ahead, give or take half a second.
    const QRegularExpression drift(
        QStringLiteral(R"(^Korvel - Next update is in 2\.0 hours\. The clock gains (\d+) s a day\.$)"));
    const auto said = drift.match(form->trayForm()->ToolTip());
    ASSERT_TRUE(said.hasMatch()) << form->trayForm()->ToolTip().toStdString();
    EXPECT_NEAR(said.captured(1).toDouble(), 16.0, 4.5);

    form->design().mnuHistory->trigger();
    EXPECT_EQ(historyWindow()->findChild<QAbstractItemView*>(QStringLiteral("records"))->model()->rowCount(), 2);
}
