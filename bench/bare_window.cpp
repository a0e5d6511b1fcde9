// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The reference for a normal start: a Qt Widgets program that makes an empty
// window and, just before showing it, says so on stderr, as Korvel prints its
// first status line just before it shows its window.
#include <QApplication>
#include <QWidget>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(400, 300);
    std::fputs("bare.status: Last update was on - \n", stderr);
    window.show();
    return QApplication::exec();
}
