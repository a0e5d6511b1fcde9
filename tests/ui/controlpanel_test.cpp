#include "ui/controlpanel.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

using Page = ControlPanel::Page;

QStringList programs(const QList<ControlPanel::Command>& commands)
{
    QStringList names;
    for (const ControlPanel::Command& command : commands)
        names << command.program + QLatin1Char(' ') + command.arguments.join(QLatin1Char(' '));
    return names;
}

TEST(ControlPanelTest, TheCurrentDesktopsCommandsComeFirstAndEveryCommandOnce)
{
    const struct {
        const char* desktop;
        Page page;
        const char* first;
        const char* second;
    } rows[] = {
        {"", Page::TimeZone, "gnome-control-center datetime", "budgie-control-center datetime"},
        {"KDE", Page::Regional, "systemsettings kcm_regionandlang", "kcmshell6 kcm_regionandlang"},
        {"Budgie:GNOME", Page::TimeZone, "budgie-control-center datetime", "gnome-control-center datetime"},
        {"X-Cinnamon", Page::TimeZone, "cinnamon-settings calendar", "gnome-control-center datetime"},
        {"lxqt", Page::Regional, "lxqt-config-locale ", "gnome-control-center region"},
    };
    const qsizetype total[] = {ControlPanel::commandsFor(Page::TimeZone, QString()).size(),
                               ControlPanel::commandsFor(Page::Regional, QString()).size()};
    for (const auto& row : rows) {
        const QStringList ordered = programs(ControlPanel::commandsFor(row.page, QString::fromUtf8(row.desktop)));
        ASSERT_GE(ordered.size(), 2);
        EXPECT_EQ(ordered[0], QString::fromUtf8(row.first)) << row.desktop;
        EXPECT_EQ(ordered[1], QString::fromUtf8(row.second)) << row.desktop;
        EXPECT_EQ(ordered.size(), total[row.page == Page::Regional]) << row.desktop;
        EXPECT_EQ(ordered.size(), QSet<QString>(ordered.begin(), ordered.end()).size()) << row.desktop;
    }
}

TEST(ControlPanelTest, TriesInOrderUntilOneStartsAndStaysSilentWhenNoneDoes)
{
    QStringList tried;
    QString starts;
    const ControlPanel panel(
        [&](const QString& program, const QStringList& arguments) {
            tried << program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
            return program == starts;
        },
        QStringLiteral("KDE"));

    starts = QStringLiteral("kcmshell6");
    EXPECT_TRUE(panel.open(Page::TimeZone));
    EXPECT_EQ(tried, (QStringList{QStringLiteral("systemsettings kcm_clock"), QStringLiteral("kcmshell6 kcm_clock")}));

    tried.clear();
    starts.clear();
    const qsizetype windowsBefore = QApplication::topLevelWidgets().size();
    EXPECT_FALSE(panel.open(Page::Regional));
    EXPECT_EQ(tried, programs(ControlPanel::commandsFor(Page::Regional, QStringLiteral("KDE"))));
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
}

TEST(ControlPanelTest, AProgramThatIsNotInstalledDoesNotStart)
{
    EXPECT_FALSE(ControlPanel::startDetached(QStringLiteral("korvel-no-such-settings-program"), {}));
}

} // namespace
