// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/startsteps.h"

#include "session/applog.h"

#include <QElapsedTimer>

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
