// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How long the History window takes to open over a full history, as the
// user opens it: the module loaded, the file read, the window made, shown and
// drawn once; and how large that history file is. One opening per process,
// since the module is loaded only the first time.
//   history_bench RECORDS
#include "benchfigures.h"
#include "history/historyrecord.h"
#include "historywindow/historyitems.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>

namespace {
// Updates every two hours by four servers, the clock losing a second a day:
// checks while the system's network time kept the clock, then settings.
QByteArray history(int records)
{
    const QDateTime start = QDateTime::currentDateTimeUtc().addSecs(-7200LL * records);
    QByteArray bytes = HistoryRecord::header() + '\n';
    for (int i = 0; i < records; ++i) {
        HistoryRecord record;
        record.utc = start.addSecs(7200LL * i);
        record.outcome = i < records / 10 ? HistoryRecord::Outcome::Checked : HistoryRecord::Outcome::Set;
        record.offsetUsec = -83'333 + (i * 7919) % 20'000 - 10'000;
        record.uncertaintyUsec = 8'000 + (i * 104'729) % 6'000;
        record.servers = {"time-a-g.nist.gov", "time-b-wwv.nist.gov", "time-c-b.nist.gov", "utcnist.colorado.edu"};
        record.lagSeconds = 0.04;
        record.askedByUser = i % 50 == 0;
        bytes += record.toCsv() + '\n';
    }
    return bytes;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int records = argc > 1 ? QByteArray(argv[1]).toInt() : 5000;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("history.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(history(records)) < 0)
        return 1;
    file.close();

    QElapsedTimer timer;
    timer.start();
    QString problem;
    QWidget* window = HistoryItems::makeWindow(path, problem);
    if (!window) {
        qWarning("%s", qPrintable(problem));
        return 1;
    }
    window->show();
    QCoreApplication::processEvents();
    // Drawn once, as on the screen.
    window->grab();
    const double openMsecs = double(timer.nsecsElapsed()) / 1e6;
    BenchFigures::print({{"open_ms", openMsecs}, {"records", records}, {"bytes", QFileInfo(path).size()}});
    delete window;
    return 0;
}
