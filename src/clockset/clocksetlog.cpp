#include "clockset/clocksetlog.h"

// Refusals are warnings, so a clock left wrong always leaves a trace.
Q_LOGGING_CATEGORY(lcClockSet, "korvel.clockset", QtWarningMsg)
