#include "timeclient/timeclientlog.h"

// Attempt details are info messages, shown only when asked for.
Q_LOGGING_CATEGORY(lcTimeClient, "korvel.timeclient", QtWarningMsg)
