// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/programicon.h"

QIcon ProgramIcon::icon()
{
    // Each size drawn for itself, so a tray at any of them, or at twice
    // them on a scaled desktop, shows a sharp picture rather than a scaled one.
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 44, 48, 64})
        icon.addFile(QStringLiteral(":/korvel/icons/korvel%1.png").arg(size), QSize(size, size));
    return icon;
}
