// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/commandline.h"

#include <QStringList>

QString CommandLine::fromArguments(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments.join(QLatin1Char(' '));
}

QString CommandLine::GetCommandLineValue(const QString& commandLine, const QString& key,
                                         const QString& separator, const QString& defaultValue)
{
    if (separator.isEmpty())
        return defaultValue;
    const QStringList tokens = commandLine.split(separator, Qt::KeepEmptyParts);
    for (qsizetype i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens.at(i) == key)
            return tokens.at(i + 1);
    }
    return defaultValue;
}
