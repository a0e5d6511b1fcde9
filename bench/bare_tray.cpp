// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The reference for sitting in the tray: a Qt Widgets program with nothing
// but a tray icon, which says so on stderr once the icon is shown, as Korvel
// prints its first status line when it starts into the tray.
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QPixmap picture(32, 32);
    picture.fill(Qt::darkCyan);
    QSystemTrayIcon icon{QIcon(picture)};
    icon.setToolTip(QStringLiteral("bare"));
    icon.show();
    std::fputs("bare.status: Last update was on - \n", stderr);
    return QApplication::exec();
}
