#include "app/windowlauncher.h"

int main(int argc, char** argv)
{
    return runWindow(argc, argv);
}
