// korvel-window: the window and --query, started by `korvel` (see
// app/windowprogram.h).
#include "app/commandlinecommand.h"
#include "app/querycommand.h"
#include "app/windowlauncher.h"

int main(int argc, char** argv)
{
    if (asksForQuery(argc, argv))
        return runQueryCommand(argc, argv);
    return runWindow(argc, argv);
}
