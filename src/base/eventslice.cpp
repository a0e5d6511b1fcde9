// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/eventslice.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <poll.h>

namespace EventSlice {

namespace {
constexpr auto kAllowed = QEventLoop::ExcludeUserInputEvents;

void runEvents(QEventLoop::ProcessEventsFlags allowed)
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(allowed);
}

// Sleeps in the event loop until something arrives; the caller's wake timer
// bounds the sleep to one slice.
void sleepInEventLoop(QEventLoop::ProcessEventsFlags allowed, int msecs)
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(allowed | QEventLoop::WaitForMoreEvents);
    else
        QThread::msleep(ulong(msecs));
}

bool wait(QEventLoop::ProcessEventsFlags allowed, const std::function<bool()>& done, int timeoutMsecs,
          const std::function<void(int)>& block)
{
    const QDeadlineTimer deadline(std::max(timeoutMsecs, 0));
    QTimer wake; // makes the event loop look at the deadline even when nothing else happens
    if (!block && QCoreApplication::instance())
        wake.start(SliceMsecs);
    for (;;) {
        runEvents(allowed);
        if (done())
            return true;
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            return false;
        const int slice = int(std::min<qint64>(left, SliceMsecs));
        block ? block(slice) : sleepInEventLoop(allowed, slice);
    }
}
} // namespace

void letEventsRun()
{
    runEvents(kAllowed);
}

bool waitUntil(const std::function<bool()>& done, int timeoutMsecs, const std::function<void(int)>& block)
{
    return wait(kAllowed, done, timeoutMsecs, block);
}

bool waitTakingInput(const std::function<bool()>& done, int timeoutMsecs)
{
    return wait(QEventLoop::AllEvents, done, timeoutMsecs, {});
}

int waitForDescriptor(int fd, short events, int timeoutMsecs)
{
    int revents = 0;
    bool failed = false;
    waitUntil([&] { return revents != 0 || failed; }, timeoutMsecs, [&](int msecs) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, msecs);
        if (ready > 0)
            revents = entry.revents;
        else if (ready < 0 && errno != EINTR)
            failed = true;
    });
    return failed ? -1 : revents;
}

void pause(int msecs)
{
    waitUntil([] { return false; }, msecs);
}

} // namespace EventSlice
