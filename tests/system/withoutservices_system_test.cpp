#include "korvelprogram.h"
#include "support/privatesystembus.h"
#include "support/traydisplay.h"

#include <QTemporaryDir>

// A system bus where neither NetworkManager nor timedated answers.
class WithoutServices : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(bus.isRunning()) << qPrintable(bus.errorText()); }

    EnvironmentChanges environment() const
    {
        return {{"DBUS_SYSTEM_BUS_ADDRESS", bus.address()}, {"XDG_CONFIG_HOME", home.path()}};
    }

    PrivateSystemBus bus;
    QTemporaryDir home;
};

TEST_F(WithoutServices, TheWindowComesUpAndSaysWhatItCannotDo)
{
    TrayDisplay display;
    ASSERT_TRUE(display.isRunning()) << qPrintable(display.errorText());
    QProcess korvel;
    startKorvel(korvel, {}, environment() + EnvironmentChanges{{"DISPLAY", display.name()}, {"QT_QPA_PLATFORM", "xcb"}});
    korvel.setReadChannel(QProcess::StandardError);
    const QByteArray expected = "korvel.status: Status: The clock cannot be set: the system's time service "
                                "(systemd-timedated) is not available";
    QByteArray errors;
    while (!errors.contains(expected) && korvel.waitForReadyRead(20000))
        errors += korvel.readAll();
    EXPECT_TRUE(errors.contains("korvel.status: Status: NO RAS")) << errors.constData();
    EXPECT_TRUE(errors.contains(expected)) << errors.constData();
    EXPECT_EQ(korvel.state(), QProcess::Running);
    korvel.kill();
    korvel.waitForFinished(5000);
}

TEST_F(WithoutServices, StatusSaysWhyAnUpdateWouldNotWork)
{
    const ProgramRun run = runKorvel({"--status"}, environment() + EnvironmentChanges{{"DISPLAY", {}}});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const char* line : {"Dial-up: not supported (NetworkManager is not running)",
                             "Clock: set through systemd-timedated (CAP_SYS_TIME not held); timedated is not "
                             "available, so the clock cannot be set",
                             "Next automatic update: automatic updates are off"})
        EXPECT_TRUE(run.out.contains(QLatin1String(line))) << line << "\n" << run.out.toStdString();
}
