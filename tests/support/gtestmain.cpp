#include <QApplication>

#include <gtest/gtest.h>

// One QApplication for every test binary: widgets, event loops and sockets
// all need it. The platform comes from QT_QPA_PLATFORM (offscreen by default).
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
