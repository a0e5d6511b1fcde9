#include "timeclient/timeclientlog.h"

Q_LOGGING_CATEGORY(lcTimeClient, "korvel.timeclient")
