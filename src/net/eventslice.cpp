#include "net/eventslice.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace EventSlice {

bool waitUntil(const std::function<bool()>& done, int timeoutMsecs)
{
    const QDeadlineTimer deadline(timeoutMsecs);
    QTimer slice; // wakes the loop so the deadline is seen even when nothing else happens
    slice.start(SliceMsecs);
    QEventLoop loop;
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        loop.processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace EventSlice
