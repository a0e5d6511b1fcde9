#include "app/commandlinecommand.h"

int main(int argc, char** argv)
{
    if (const std::optional<int> exitCode = runCommandLineCommand(argc, argv))
        return *exitCode;
    return 0;
}
