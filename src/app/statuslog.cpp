#include "app/statuslog.h"

Q_LOGGING_CATEGORY(lcStatus, "korvel.status", QtInfoMsg)
