// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Where Korvel's help file lies.
namespace HelpFilePath {

// The help file in `folder`. A folder that already ends in a slash (the
// root) gets no second one; blanks around it do not count for that test.
QString inFolder(const QString& folder);

// The help file next to the program (a build tree or a copied folder) when
// it is there, else the one in the installed data folder when that is there,
// else the one next to the program, so a missing file still has a name.
QString locate(const QString& programFolder, const QString& dataFolder);

} // namespace HelpFilePath
