// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "korveldesktop.h"
#include "support/windowmanager.h"

#include <QRegularExpression>

namespace {
// Korvel's window under openbox, read through the accessibility bus as a
// screen reader reads it.
class ScreenReader : public KorvelDesktop
{
protected:
    void SetUp() override
    {
        KorvelDesktop::SetUp();
        if (IsSkipped())
            return;
        manager.emplace(display->name(), QStringLiteral("openbox"));
        ASSERT_TRUE(manager->isRunning()) << qPrintable(manager->errorText());
        x11SessionBus = manager->sessionBusAddress();
        x11Environment = {{"QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1"}};
    }

    // What tests/system/atspi_tree.py reads of Korvel's windows; empty while
    // Korvel is not on the accessibility bus.
    QStringList tree() const
    {
        QProcess reader;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DBUS_SESSION_BUS_ADDRESS", x11SessionBus);
        environment.insert("DISPLAY", display->name());
        reader.setProcessEnvironment(environment);
        reader.start("/usr/bin/python3", {KORVEL_SOURCE_DIR "/tests/system/atspi_tree.py", "korvel"});
        reader.waitForFinished(20000);
        if (reader.exitCode() != 0)
            return {};
        return QString::fromUtf8(reader.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }

    std::optional<WindowManager> manager;
};
} // namespace

TEST_F(ScreenReader, EveryControlHasANameAndTheLedClockReadsTheSecondZonesTime)
{
    // The first zone of the list, Kabul's, runs 4 h 30 min ahead of UTC.
    writeSettings(false, "TimeZone=0\n");
    start({});
    QStringList lines;
    ASSERT_TRUE(eventually([&] { return !(lines = tree()).filter(QRegularExpression("^time ")).isEmpty(); }, 30000))
        << lines.join('\n').toStdString();

    EXPECT_EQ(lines.filter(QRegularExpression("^unnamed ")), QStringList()) << "focusable controls without a name";
    const QDateTime kabul = QDateTime::currentDateTimeUtc().addSecs(4 * 3600 + 30 * 60);
    const QStringList spoken{"time " + kabul.toString("HH:mm"), "time " + kabul.addSecs(-60).toString("HH:mm")};
    for (const QString& line : lines.filter(QRegularExpression("^time ")))
        EXPECT_TRUE(spoken.contains(line)) << line.toStdString() << " is not " << spoken.join(" or ").toStdString();
}
