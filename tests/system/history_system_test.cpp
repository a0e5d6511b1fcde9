// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "korvelprogram.h"
#include "support/privatesystembus.h"
#include "support/qtprinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
const QByteArray kHistory = "time_utc,outcome,reason,offset_s,uncertainty_s,servers,lag_s,asked_by\n"
                            "2026-12-06T03:00:00Z,checked,,0.040000,0.009000,ntp.example,0.012,schedule\n"
                            "2026-12-06T06:00:00Z,set,,-0.250000,0.009000,a.example b.example,0.010,schedule\n"
                            "half a line\n"
                            "2026-12-06T09:00:00Z,not set,\"no time service, it said\",-0.125000,0.009000,a.example,,user\n"
                            "2026-12-06T09:05:00Z,no answer,,,,,,user\n";
} // namespace

TEST(KorvelHistory, ListsEveryRecordAlignedWithTheDriftLastOrTheFileAsItIs)
{
    QTemporaryDir state;
    QDir(state.path()).mkpath("korvel");
    const EnvironmentChanges environment{{"XDG_STATE_HOME", state.path()}, {"DISPLAY", {}}, {"WAYLAND_DISPLAY", {}}};

    const ProgramRun empty = runKorvel({"--history"}, environment);
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.out, "No updates recorded yet.\n");
    const ProgramRun emptyCsv = runKorvel({"--history", "--csv"}, environment);
    EXPECT_EQ(emptyCsv.exitCode, 0);
    EXPECT_EQ(emptyCsv.out, "time_utc,outcome,reason,offset_s,uncertainty_s,servers,lag_s,asked_by\n")
        << "a spreadsheet still gets its columns";
    EXPECT_EQ(emptyCsv.err, "No updates recorded yet.\n");

    QFile file(state.filePath("korvel/history.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kHistory);
    file.close();
    const ProgramRun table = runKorvel({"--history"}, environment);
    EXPECT_EQ(table.exitCode, 0) << table.err.toStdString();
    EXPECT_EQ(table.err, "korvel: damaged lines skipped in " + file.fileName() + ": 1\n");
    const QStringList lines = table.out.split(u'\n');
    ASSERT_EQ(lines.size(), 8) << table.out.toStdString();
    EXPECT_EQ(lines.at(0), "Time (UTC)            What happened                      Offset (s)  ± (s)  Lag (s)  "
                           "Asked by  Servers that answered");
    EXPECT_EQ(lines.at(2), "2026-12-06 06:00:00Z  set                                    -0.250  0.009    0.010  "
                           "schedule  a.example, b.example");
    EXPECT_EQ(lines.at(3), "2026-12-06 09:00:00Z  not set: no time service, it said      -0.125  0.009           "
                           "user      a.example");
    EXPECT_EQ(lines.at(4), "2026-12-06 09:05:00Z  no answer                                                      user");
    EXPECT_EQ(lines.at(5), "");
    EXPECT_TRUE(lines.at(6).startsWith("The clock loses 1 s a day (12 ppm), give or take 0.1"))
        << lines.at(6).toStdString();
    EXPECT_EQ(runKorvel({"--history", "--csv"}, environment).out, QString::fromLatin1(kHistory));
    EXPECT_EQ(runKorvel({"--csv"}, environment).exitCode, 2) << "only after --history";

    // --status says the drift as well, without a display or the system's services.
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.isRunning()) << qPrintable(bus.errorText());
    QTemporaryDir home;
    const ProgramRun status = runKorvel(
        {"--status"},
        environment + EnvironmentChanges{{"DBUS_SYSTEM_BUS_ADDRESS", bus.address()}, {"XDG_CONFIG_HOME", home.path()}});
    EXPECT_TRUE(status.out.contains("\nDrift: The clock loses 1 s a day (12 ppm)")) << status.out.toStdString();
}
