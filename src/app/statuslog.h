#pragma once

#include <QLoggingCategory>

// Every status line the window shows also goes here (info level, on by
// default), so the window can be followed while it is hidden.
Q_DECLARE_LOGGING_CATEGORY(lcStatus)
