// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/startsteps.h"

#include "session/applog.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

namespace {
QElapsedTimer& sinceLastStep()
{
    static QElapsedTimer timer;
    return timer;
}

// The resident memory now, in MiB.
double residentMiB()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Waits for the window's first paint. The window is painted before its
// children; the step is said when the event loop is back, once all of it is.
class FirstPaint : public QObject
{
public:
    FirstPaint(QWidget& window, const char* step)
        : QObject(&window)
        , m_step(step)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(this, [this] { StartSteps::done(m_step); deleteLater(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    const char* m_step;
};
} // namespace

void StartSteps::done(const char* step)
{
    QElapsedTimer& timer = sinceLastStep();
    if (!lcApp().isDebugEnabled()) {
        timer.start();
        return;
    }
    const double msecs = timer.isValid() ? static_cast<double>(timer.nsecsElapsed()) / 1e6 : 0.0;
    timer.start();
    qCDebug(lcApp, "start step %s: %.2f ms, %.1f MiB resident", step, msecs, residentMiB());
}

void StartSteps::doneWhenPainted(QWidget& window, const char* step)
{
    if (lcApp().isDebugEnabled())
        new FirstPaint(window, step);
}
