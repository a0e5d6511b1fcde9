#pragma once

#include <QtGlobal>

// What the last successful query measured, in the units setting the clock
// needs: the server's whole-second count, the one-way lag and the PC's own
// UTC clock at the moment the answer arrived (both as milliseconds since the
// Unix epoch).
struct TimeReceipt
{
    qint64 serverUtcMsecs = 0;
    float lagSeconds = 0.0f;
    qint64 receiptUtcMsecs = 0;
};
