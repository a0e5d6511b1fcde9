#include "app/windowlauncher.h"

#include "app/commandline.h"
#include "app/form1.h"
#include "app/optionstore.h"
#include "app/startuprule.h"

#include <QApplication>

int runWindow(int argc, char** argv)
{
    // An unattended start that leaves at once must not need a display, so
    // the rule runs before the application object exists.
    OptionStore store;
    const StartupState startup =
        StartupRule::Form_Initialize(store, CommandLine::fromArguments(argc, argv));
    if (startup.leaveAtOnce)
        return 0;

    qSetMessagePattern(QStringLiteral("%{time yyyy-MM-dd hh:mm:ss.zzz} %{category}: %{message}"));
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Korvel"));
    QApplication::setApplicationName(QStringLiteral("Korvel"));

    Form1 form(startup, store);
    form.Form_Load();
    return QApplication::exec();
}
