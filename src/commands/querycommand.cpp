// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commands/querycommand.h"

#include "base/dateserial.h"
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
    if (!host.isEmpty())
        control.setHost(host);
    const std::optional<KorvelControl::Answer> answer = control.GetTime();
    if (!answer) {
        QTextStream(stderr) << KorvelControl::kCantGetTime << Qt::endl;
        return 1;
    }
    const QDateTime utc = DateSerial::toDateTime(answer->gmtSerial);
    QTextStream(stdout) << utc.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) << "Z lag=" << answer->lagText
                        << " host=" << answer->host << Qt::endl;
    return 0;
}
