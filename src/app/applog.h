#pragma once

#include <QLoggingCategory>

// The main window's own diagnostics (not its status lines).
Q_DECLARE_LOGGING_CATEGORY(lcApp)
