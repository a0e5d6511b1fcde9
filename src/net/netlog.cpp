#include "net/netlog.h"

// Failed calls are info messages, shown only when asked for.
Q_LOGGING_CATEGORY(lcNet, "korvel.net", QtWarningMsg)
