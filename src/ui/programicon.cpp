#include "ui/programicon.h"

QIcon ProgramIcon::icon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/korvel/icons/korvel32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/korvel/icons/korvel16.png"), QSize(16, 16));
    return icon;
}
