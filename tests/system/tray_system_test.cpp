// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "korveldesktop.h"
#include "support/windowmanager.h"

#include <QRegularExpression>

namespace {
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

// The X11 tray under a real window manager (or none), and under Xfce's panel
// as the StatusNotifierItem host.
class TrayUnderWindowManager : public KorvelDesktop, public testing::WithParamInterface<const char*>
{
protected:
    void SetUp() override
    {
        KorvelDesktop::SetUp();
        if (IsSkipped() || *GetParam() == '\0')
            return;
        manager.emplace(display->name(), QString::fromLatin1(GetParam()));
        ASSERT_TRUE(manager->isRunning()) << qPrintable(manager->errorText());
        x11SessionBus = manager->sessionBusAddress();
    }

    // Shown, and painted rather than left black: the window's pixels as the
    // screen shows them hold more than a handful of colours.
    bool windowPainted() const
    {
        const QStringList shown = shownWindows(kWindowTitle);
        if (shown.isEmpty())
            return false;
        QProcess import;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", display->name());
        import.setProcessEnvironment(environment);
        import.start("import", {"-window", "root", "-crop", geometry(shown.first()), "-format", "%k", "info:"});
        import.waitForFinished(10000);
        return import.readAllStandardOutput().trimmed().toInt() > 16;
    }

    // WIDTHxHEIGHT+X+Y of a shown window on the screen.
    QString geometry(const QString& window) const
    {
        const QString shell = xdotool({"getwindowgeometry", "--shell", window});
        const auto value = [&](const char* name) {
            return QRegularExpression(QString("%1=(\\d+)").arg(name)).match(shell).captured(1);
        };
        return value("WIDTH") + 'x' + value("HEIGHT") + '+' + value("X") + '+' + value("Y");
    }

    // Whether the window stays as `shown` says for a second: a window
    // manager's late word would send it back where it came from.
    bool staysShown(bool shown) const
    {
        if (!eventually([&] { return windowShown() == shown; }))
            return false;
        QThread::msleep(1000);
        return windowShown() == shown && (!shown || eventually([&] { return windowPainted(); }));
    }

    // Korvel's icon in the XEmbed tray: its one shown window below the
    // top-level windows (and their window manager frames).
    QString embeddedIcon() const
    {
        QStringList icons;
        eventually([&] {
            const QStringList topLevel = shownWindows();
            icons = xdotool({"search", "--all", "--onlyvisible", "--pid", QString::number(korvel.processId())})
                        .split(u'\n', Qt::SkipEmptyParts);
            icons.removeIf([&](const QString& window) { return topLevel.contains(window); });
            return icons.size() == 1;
        });
        return icons.size() == 1 ? icons.first() : QString();
    }

    std::optional<WindowManager> manager;
};

INSTANTIATE_TEST_SUITE_P(Desktops, TrayUnderWindowManager, testing::Values("", "xfwm4", "openbox"),
                         [](const auto& info) { return *info.param ? std::string(info.param) : std::string("bare"); });

class TrayOnXfcePanel : public TrayUnderWindowManager
{
};

INSTANTIATE_TEST_SUITE_P(Xfce, TrayOnXfcePanel, testing::Values("xfce4-panel"));
} // namespace

// An unattended start stays in the tray until its menu shows the window,
// which is only then built and comes up painted.
TEST_P(TrayUnderWindowManager, TheMenuMinimisingAndDoubleClicksMoveTheWindowOnceAndCloseSavesTheOptions)
{
    // The next update is too close to leave at once: Korvel stays, in the tray.
    writeSettings(false, "Unload=1\nTimeAway=4\nConnection=Modem\n");
    start({"Load", "1"});
    const QString icon = embeddedIcon();
    ASSERT_FALSE(icon.isEmpty()) << errors.constData();
    ASSERT_FALSE(windowShown());
    chooseInTrayMenu(icon, "s");
    ASSERT_TRUE(staysShown(true)) << errors.constData();

    // The title bar's minimise button, where a window manager draws one.
    if (manager)
        xdotool({"windowminimize", shownWindows(kWindowTitle).value(0)});
    else
        chooseInTrayMenu(icon, "m");
    ASSERT_TRUE(staysShown(false)) << errors.constData();
    chooseInTrayMenu(icon, "s");
    ASSERT_TRUE(staysShown(true)) << errors.constData();

    // A double click opens no menu: the first click waits for the second.
    for (const bool shownAfter : {false, true}) {
        xdotool({"mousemove", "--window", icon, "8", "8", "click", "--repeat", "2", "--delay", "80", "1"});
        ASSERT_TRUE(staysShown(shownAfter)) << errors.constData();
        EXPECT_EQ(shownWindows().size(), shownWindows(kWindowTitle).size()) << "no menu is open";
    }
    chooseInTrayMenu(icon, "c");
    ASSERT_TRUE(korvel.waitForFinished(10000));
    EXPECT_EQ(korvel.exitCode(), 0);
    EXPECT_EQ(saved("Connection"), QStringLiteral("Modem"));
    EXPECT_EQ(saved("CheckAuto"), QStringLiteral("0")) << "every option is written";
    EXPECT_TRUE(TrayDisplay::dockedWindows(display->name(), korvel.processId()).isEmpty());
}

TEST_P(TrayOnXfcePanel, EachClickOnTheStatusNotifierIconMovesTheWindowOnce)
{
    writeSettings(false);
    start({});
    ASSERT_TRUE(waitForError("korvel.tray: Tray host: StatusNotifierItem")) << errors.constData();
    ASSERT_TRUE(eventually([&] { return windowPainted(); })) << errors.constData();
    // The panel holds only the tray, along the top left: its first icon is Korvel's.
    for (const bool shownAfter : {false, true, false}) {
        xdotool({"mousemove", "14", "14", "click", "1"});
        ASSERT_TRUE(staysShown(shownAfter)) << errors.constData();
    }
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
