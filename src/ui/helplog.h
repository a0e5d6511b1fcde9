#pragma once

#include <QLoggingCategory>

// Help and the shortcuts to the desktop's settings pages.
Q_DECLARE_LOGGING_CATEGORY(lcHelp)
