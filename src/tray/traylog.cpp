#include "tray/traylog.h"

Q_LOGGING_CATEGORY(lcTray, "korvel.tray", QtInfoMsg)
