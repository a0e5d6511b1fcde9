#include "korveldesktop.h"

#include <QRegularExpression>

namespace {
using TrayOnX11 = KorvelDesktop;

class TrayOnWayland : public KorvelDesktop
{
protected:
    TrayOnWayland() : KorvelDesktop(Session::Wayland) {}

    // The one tray item the host knows, once it is there: its bus name.
    QString itemService() const
    {
        QString service;
        eventually([&] {
            const QString items = callItem("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                                           "org.freedesktop.DBus.Properties.Get",
                                           {"org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems"});
            service = QRegularExpression("'([^'/]+)").match(items).captured(1);
            return !service.isEmpty();
        });
        return service;
    }

    // The exported menu's items, by label ("_" marks the access key), with their ids.
    QMap<QString, QString> menu(const QString& service) const
    {
        QMap<QString, QString> ids;
        const QString layout = callItem(service, "/MenuBar", "com.canonical.dbusmenu.GetLayout", {"0", "-1", "@as []"});
        for (const QRegularExpressionMatch& item :
             QRegularExpression(R"(\((\d+), \{[^}]*'label': <'([^']*)'>)").globalMatch(layout))
            ids[item.captured(2)] = item.captured(1);
        return ids;
    }

    QString click(const QString& service, const QString& id) const
    {
        return callItem(service, "/MenuBar", "com.canonical.dbusmenu.Event", {id, "clicked", "<''>", "0"});
    }
};

} // namespace

TEST_F(TrayOnX11, AnUnattendedStartComesUpFromTheTrayMenuAsOftenAsAskedAndCloseSavesTheOptions)
{
    writeSettings(false, "Connection=Modem\nTimeZone=25\n");
    start({"Load", "1"});
    // The first tick shows the window has loaded.
    ASSERT_TRUE(waitForError("korvel.tray: Tool tip: Korvel - Next update is in")) << errors.constData();
    const QString icon = trayIcon();
    ASSERT_FALSE(icon.isEmpty()) << errors.constData();
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
    EXPECT_TRUE(callItem(item, "/StatusNotifierItem", "org.freedesktop.DBus.Properties.Get",
                         {"org.kde.StatusNotifierItem", "Menu"})
                    .contains("'/MenuBar'"));
    QMap<QString, QString> ids = menu(item);
    ASSERT_EQ(ids.keys(), QStringList({"_Close", "_Show Korvel"})) << errors.constData();

    // While the host shows the menu, its calls come back at once (gdbus
    // gives up after a second); the activation brings the window up.
    ASSERT_FALSE(callItem(item, "/MenuBar", "com.canonical.dbusmenu.Event", {"0", "opened", "<''>", "0"}).isNull());
    EXPECT_FALSE(callItem(item, "/StatusNotifierItem", "org.kde.StatusNotifierItem.ContextMenu", {"0", "0"}).isNull());
    EXPECT_FALSE(callItem(item, "/StatusNotifierItem", "org.kde.StatusNotifierItem.Activate", {"0", "0"}).isNull());
    ASSERT_TRUE(eventually([&] { return windowShown(); })) << errors.constData();
    callItem(item, "/MenuBar", "com.canonical.dbusmenu.Event", {"0", "closed", "<''>", "0"});

    // Item 0 follows the window: minimise, then show again from the menu.
    ASSERT_TRUE(eventually([&] { return menu(item).contains("_Minimize Korvel"); }));
    ASSERT_FALSE(click(item, ids.value("_Show Korvel")).isNull());
    ASSERT_TRUE(eventually([&] { return !windowShown() && menu(item).contains("_Show Korvel"); }));
    ASSERT_FALSE(click(item, ids.value("_Show Korvel")).isNull());
    ASSERT_TRUE(eventually([&] { return windowShown(); })) << errors.constData();

    ASSERT_FALSE(click(item, ids.value("_Close")).isNull());
    ASSERT_TRUE(korvel.waitForFinished(10000));
    EXPECT_EQ(korvel.exitCode(), 0);
    EXPECT_EQ(saved("Connection"), QStringLiteral("Modem"));
    EXPECT_EQ(saved("CheckAuto"), QStringLiteral("0")) << "every option is written";
}
