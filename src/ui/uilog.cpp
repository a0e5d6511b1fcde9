#include "ui/uilog.h"

Q_LOGGING_CATEGORY(lcUi, "korvel.ui", QtWarningMsg)
