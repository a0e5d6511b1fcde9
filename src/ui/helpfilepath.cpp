// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/helpfilepath.h"

#include <QFileInfo>

QString HelpFilePath::inFolder(const QString& folder)
{
    const QString fileName = QStringLiteral("KORVEL.HLP");
    if (folder.trimmed().endsWith(QLatin1Char('/')))
        return folder + fileName;
    return folder + QLatin1Char('/') + fileName;
}

QString HelpFilePath::locate(const QString& programFolder, const QString& dataFolder)
{
    const QString besideProgram = inFolder(programFolder);
    if (QFileInfo(besideProgram).isFile())
        return besideProgram;
    const QString installed = inFolder(dataFolder);
    if (QFileInfo(installed).isFile())
        return installed;
    return besideProgram;
}
