#include "ui/helplog.h"

// These never reach the user, who sees nothing when a settings page or the
// help file is missing; shown only when asked for.
Q_LOGGING_CATEGORY(lcHelp, "korvel.help", QtWarningMsg)
