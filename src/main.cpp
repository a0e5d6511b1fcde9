#include "app/commandlinecommand.h"
#include "app/windowlauncher.h"

int main(int argc, char** argv)
{
    if (const std::optional<int> exitCode = runCommandLineCommand(argc, argv))
        return *exitCode;
    return runWindow(argc, argv);
}
