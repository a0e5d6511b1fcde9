// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tray/frmsystray.h"

#include "support/qtprinters.h"
#include "support/traydisplay.h"
#include "ui/programicon.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {
constexpr int kDockMsecs = 5000;

int dockedIcons()
{
    return int(TrayDisplay::dockedWindows(qEnvironmentVariable("DISPLAY"), QCoreApplication::applicationPid()).size());
}

QImage pixelsOf(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage();
}

// Every mouse event the form raises, in order, as text.
struct EventLog : QObject
{
    explicit EventLog(frmSysTray& form)
    {
        connect(&form, &frmSysTray::SysTrayMouseDown, this, [this](int b) { events << QString("down %1").arg(b); });
        connect(&form, &frmSysTray::SysTrayMouseUp, this, [this](int b) { events << QString("up %1").arg(b); });
        connect(&form, &frmSysTray::SysTrayMouseMove, this, [this] { events << "move"; });
        connect(&form, &frmSysTray::SysTrayDoubleClick, this, [this](int b) { events << QString("double %1").arg(b); });
    }
    QStringList events;
};
} // namespace

TEST(FrmSysTrayTest, LoadDocksTheProgramIconInTheTrayAndUnloadTakesItOut)
{
    ASSERT_TRUE(QSystemTrayIcon::isSystemTrayAvailable());
    frmSysTray form;
    EXPECT_EQ(form.trayIcon(), nullptr);
    form.Form_Load();
    ASSERT_NE(form.trayIcon(), nullptr);
    EXPECT_TRUE(form.trayIcon()->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([] { return dockedIcons() == 1; }, kDockMsecs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.trayIcon()->geometry().isEmpty(); }, kDockMsecs));
    EXPECT_EQ(form.trayIcon()->toolTip(), "Time / Date Setting Program");
    const QString long140 = QString("0123456789").repeated(14);
    form.setToolTip(long140);
    EXPECT_EQ(form.trayIcon()->toolTip(), long140.left(128));
    EXPECT_EQ(pixelsOf(form.trayIcon()->icon()), pixelsOf(ProgramIcon::icon()));
    EXPECT_EQ(form.trayIcon()->contextMenu(), nullptr);
    EXPECT_FALSE(form.isVisible());

    form.Form_QueryUnload();
    EXPECT_EQ(form.trayIcon(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([] { return dockedIcons() == 0; }, kDockMsecs));
}

TEST(FrmSysTrayTest, ClicksOnTheIconRaiseTheMouseEventsAndADoubleClickOpensNoMenu)
{
    using Reasons = QList<QSystemTrayIcon::ActivationReason>;
    const struct Row {
        const char* name;
        Reasons reasons;
        QStringList events;
    } rows[] = {
        {"click, once the double-click interval has passed", {QSystemTrayIcon::Trigger}, {"down 1", "up 1"}},
        {"context", {QSystemTrayIcon::Context}, {"down 2", "up 2"}},
        // Qt reports the first press of a double click as a click.
        {"double click", {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick}, {"double 1"}},
        {"middle click", {QSystemTrayIcon::MiddleClick}, {}},
        {"unknown", {QSystemTrayIcon::Unknown}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        frmSysTray form;
        form.Form_Load();
        const EventLog log(form);
        for (const QSystemTrayIcon::ActivationReason reason : row.reasons)
            Q_EMIT form.trayIcon()->activated(reason);
        QTest::qWait(QApplication::doubleClickInterval() + 200);
        EXPECT_EQ(log.events, row.events);
    }
}

TEST(FrmSysTrayMenuTest, ShowMenuOpensAtThePointerWithTheDefaultAndReportsTheChoice)
{
    frmSysTray form;
    for (const char* caption : {"A", "B", "C"})
        form.AddMenuItem(caption, QStringLiteral("k") + caption);
    form.setDefaultMenuIndex(1);
    const QPoint pointer(300, 200);
    QCursor::setPos(pointer);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QCursor::pos() == pointer; }));
    QSignalSpy clicks(&form, &frmSysTray::MenuClick);
    QMenu* menu = form.mnuPopup();
    QRect shownAt;
    QAction* shownDefault = nullptr;
    QTimer chooser;
    QObject::connect(&chooser, &QTimer::timeout, menu, [&] {
        if (!menu->isVisible())
            return;
        chooser.stop();
        shownAt = menu->geometry();
        shownDefault = menu->defaultAction();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(form.mnuSysTray().at(1)).center());
    });
    chooser.start(50);
    QTimer::singleShot(10000, menu, &QMenu::close); // a hang becomes a failure below

    EXPECT_FALSE(form.ShowMenu().isValid());
    EXPECT_EQ(shownAt.topLeft(), pointer);
    EXPECT_EQ(shownDefault, form.mnuSysTray().at(1));
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.at(0), QVariantList({1, QString("kB")}));
}
