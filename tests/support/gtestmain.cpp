#include <QApplication>

#include <gtest/gtest.h>

#include <ctime>

// Environment entries of the test program, from korvel_add_test().
extern const char* const korvelTestEnvironment[];

// One QApplication for every test binary: widgets, event loops and sockets
// all need it. The platform comes from QT_QPA_PLATFORM (offscreen by default).
int main(int argc, char** argv)
{
    for (const char* const* entry = korvelTestEnvironment; *entry; ++entry) {
        const QByteArray text(*entry);
        const qsizetype equals = text.indexOf('=');
        qputenv(text.left(equals).constData(), text.mid(equals + 1));
    }
    tzset();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
