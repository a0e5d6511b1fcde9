// The reference for an unattended start that leaves at once: a Qt Core
// program that does nothing but make its application object.
#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return 0;
}
