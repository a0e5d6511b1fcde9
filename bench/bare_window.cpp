// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The reference for a normal start: a Qt Widgets program that makes an empty
// window and, just before showing it, says so on stderr, as Korvel prints its
// first status line just before it shows its window. `bare_window text`
// puts one line of text on it, which needs the font database.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(400, 300);
    // Sized before the line below, as Korvel's window lays out its texts before it.
    if (argc > 1 && QLatin1String(argv[1]) == QLatin1String("text"))
        (new QLabel(QStringLiteral("Last update was on -"), &window))->adjustSize();
    std::fputs("bare.status: Last update was on - \n", stderr);
    window.show();
    return QApplication::exec();
}
