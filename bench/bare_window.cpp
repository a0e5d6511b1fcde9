// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The reference for a normal start: a Qt Widgets program that shows an empty
// window and says on stderr when it is first painted in full, as Korvel's
// start step "window painted" does. `bare_window text` puts one line of text
// on it, which needs the font database.
#include <QApplication>
#include <QLabel>
#include <QMetaObject>
#include <QWidget>

#include <cstdio>
#include <utility>

namespace {
class Window : public QWidget
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        // Children are painted after their window: said once the event loop is back.
        if (!std::exchange(m_painted, true))
            QMetaObject::invokeMethod(this, [] { std::fputs("bare.status: window painted\n", stderr); },
                                      Qt::QueuedConnection);
    }

private:
    bool m_painted = false;
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Window window;
    window.resize(400, 300);
    if (argc > 1 && QLatin1String(argv[1]) == QLatin1String("text"))
        (new QLabel(QStringLiteral("Last update was on -"), &window))->adjustSize();
    window.show();
    return QApplication::exec();
}
