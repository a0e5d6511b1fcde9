// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commands/querycommand.h"

#include "timeclient/korvelcontrol.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTextStream>

int runQueryCommand(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("korvel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KORVEL_VERSION));
    const QString host = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    KorvelControl control;
    control.setHost(host.isEmpty() ? control.serverCycle().constFirst() : host);
    QString lastError;
    QObject::connect(&control, &KorvelControl::Error, &control,
                     [&lastError](QString& description, int&) { lastError = description; });
    const QVariant local = control.GetTime();
    if (!local.isValid()) {
        QTextStream(stderr) << lastError << Qt::endl;
        return 1;
    }
    const QDateTime utc = control.GMTTime().toDateTime();
    QTextStream(stdout) << utc.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) << "Z lag="
                        << control.LagTime() << " host=" << control.host() << Qt::endl;
    return 0;
}
