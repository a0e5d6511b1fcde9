// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "korveldesktop.h"

#include <QRegularExpression>

namespace {
using TrayOnX11 = KorvelDesktop;

class TrayOnWayland : public KorvelDesktop
{
protected:
    TrayOnWayland() : KorvelDesktop(Session::Wayland) {}

    // A call on the session bus with the one second a tray host may wait:
    // gdbus's output, or nothing when the call failed or timed out.
    QString call(const QString& service, const QString& object, const QString& method,
                 const QStringList& arguments = {}) const
    {
        QProcess tool;
        tool.start("gdbus", QStringList{"call", "--address", wayland->sessionBusAddress(), "--timeout", "1", "--dest",
                                        service, "--object-path", object, "--method", method, "--"}
                                + arguments);
        return tool.waitForFinished(5000) && tool.exitCode() == 0 ? QString::fromUtf8(tool.readAllStandardOutput())
                                                                   : QString();
    }

    // The bus name of the one item the host holds, once it is there.
    QString itemService() const
    {
        QString service;
        eventually([&] {
            service = QRegularExpression("'([^'/]+)").match(
                call("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties.Get",
                     {"org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems"})).captured(1);
            return !service.isEmpty();
        });
        return service;
    }

    // The exported menu's item ids by label ("_" marks the access key).
    QMap<QString, QString> menu(const QString& item) const
    {
        QMap<QString, QString> ids;
        const QString layout = call(item, "/MenuBar", "com.canonical.dbusmenu.GetLayout", {"0", "-1", "@as []"});
        for (const QRegularExpressionMatch& match :
             QRegularExpression(R"(\((\d+), \{[^}]*'label': <'([^']*)'>)").globalMatch(layout))
            ids[match.captured(2)] = match.captured(1);
        return ids;
    }

    // What the host sends when the user opens, closes or clicks in the menu.
    QString menuEvent(const QString& item, const QString& id, const char* event) const
    {
        return call(item, "/MenuBar", "com.canonical.dbusmenu.Event", {id, event, "<''>", "0"});
    }
};
} // namespace

TEST_F(TrayOnX11, AnUnattendedStartComesUpFromTheTrayMenuAsOftenAsAskedAndCloseSavesTheOptions)
{
    // The next update is too close to leave at once: Korvel stays, in the tray.
    writeSettings(false, "Unload=1\nTimeAway=4\nConnection=Modem\n");
    start({"Load", "1"});
    // The first tick shows the window has loaded.
    ASSERT_TRUE(waitForError("korvel.tray: Tool tip: Korvel - Next update is in")) << errors.constData();
    const QString icon = trayIcon();
    ASSERT_FALSE(icon.isEmpty() || windowShown());
    for (int round = 0; round < 2; ++round) {
        chooseInTrayMenu(icon, "s");
        ASSERT_TRUE(eventually([&] { return windowShown(); })) << errors.constData();
        ASSERT_TRUE(waitForError("korvel.tray: Menu item 0 reads &Minimize Korvel")) << errors.constData();
        chooseInTrayMenu(icon, "m");
        ASSERT_TRUE(waitForError("korvel.tray: Menu item 0 reads &Show Korvel")) << errors.constData();
        ASSERT_TRUE(eventually([&] { return !windowShown(); }));
    }
    chooseInTrayMenu(icon, "c");
    ASSERT_TRUE(korvel.waitForFinished(10000));
    EXPECT_EQ(korvel.exitCode(), 0);
    EXPECT_EQ(saved("Connection"), QStringLiteral("Modem"));
    EXPECT_EQ(saved("CheckAuto"), QStringLiteral("0")) << "every option is written";
    EXPECT_TRUE(TrayDisplay::dockedWindows(display->name(), korvel.processId()).isEmpty());
}

TEST_F(TrayOnWayland, TheHostDrawsTheExportedMenuAndNoCallWaitsOnKorvel)
{
    writeSettings(false, "Connection=Modem\n");
    start({"Load", "1"});
    const QString item = itemService();
    ASSERT_FALSE(item.isEmpty()) << errors.constData();
    EXPECT_TRUE(call(item, "/StatusNotifierItem", "org.freedesktop.DBus.Properties.Get",
                     {"org.kde.StatusNotifierItem", "Menu"})
                    .contains("'/MenuBar'"));
    const QMap<QString, QString> ids = menu(item);
    ASSERT_EQ(ids.keys(), QStringList({"_Close", "_History…", "_Show Korvel"})) << errors.constData();
    const QString show = ids.value("_Show Korvel");

    // While the host shows the menu its calls come back at once; the
    // activation (a left click) brings the window up.
    ASSERT_FALSE(menuEvent(item, "0", "opened").isNull());
    EXPECT_FALSE(call(item, "/StatusNotifierItem", "org.kde.StatusNotifierItem.ContextMenu", {"0", "0"}).isNull());
    EXPECT_FALSE(call(item, "/StatusNotifierItem", "org.kde.StatusNotifierItem.Activate", {"0", "0"}).isNull());
    ASSERT_TRUE(eventually([&] { return windowShown() && menu(item).contains("_Minimize Korvel"); })) << errors.constData();
    menuEvent(item, "0", "closed");

    // Item 0 minimises into the tray, then shows again.
    ASSERT_FALSE(menuEvent(item, show, "clicked").isNull());
    ASSERT_TRUE(eventually([&] { return !windowShown() && menu(item).contains("_Show Korvel"); }));
    ASSERT_FALSE(menuEvent(item, show, "clicked").isNull());
    ASSERT_TRUE(eventually([&] { return windowShown(); })) << errors.constData();

    ASSERT_FALSE(menuEvent(item, ids.value("_Close"), "clicked").isNull());
    ASSERT_TRUE(korvel.waitForFinished(10000));
    EXPECT_EQ(korvel.exitCode(), 0);
    EXPECT_EQ(saved("Connection"), QStringLiteral("Modem"));
}
