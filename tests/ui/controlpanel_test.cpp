// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controlpanel.h"

#include <QApplication>

#include <gtest/gtest.h>

// The current desktop's page comes first, and the first program that starts
// ends the search; when none starts, the user sees nothing.
TEST(ControlPanelTest, TriesTheCurrentDesktopsPageFirstUntilOneStartsAndStaysSilentWhenNoneDoes)
{
    QStringList tried;
    QString starts;
    const ControlPanel panel(
        [&](const QString& program, const QStringList& arguments) {
            tried << program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
            return program == starts;
        },
        QStringLiteral("X-Cinnamon"));

    starts = QStringLiteral("gnome-control-center");
    EXPECT_TRUE(panel.open(ControlPanel::Page::TimeZone));
    EXPECT_EQ(tried, (QStringList{"cinnamon-settings calendar", "gnome-control-center datetime"}));

    tried.clear();
    starts.clear();
    const qsizetype windowsBefore = QApplication::topLevelWidgets().size();
    EXPECT_FALSE(panel.open(ControlPanel::Page::Regional));
    EXPECT_GT(tried.size(), 1);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
}
