#include "timeclient/korvelcontrol.h"

#include <QDateTime>

#include <gtest/gtest.h>

// xinetd's built-in time service is an independent RFC 868 server;
// scripts/services.sh starts it and names it in KORVEL_XINETD_TIME.
TEST(KorvelControlXinetd, ReceivedTimeAgreesWithTheMachineClock)
{
    const QString server = qEnvironmentVariable("KORVEL_XINETD_TIME");
    if (server.isEmpty()) {
        if (qEnvironmentVariable("CI") == QLatin1String("true"))
            FAIL() << "KORVEL_XINETD_TIME is not set; CI must start scripts/services.sh";
        GTEST_SKIP() << "KORVEL_XINETD_TIME is not set; start xinetd with scripts/services.sh";
    }
    KorvelControl control;
    control.setHost(server);
    int errors = 0;
    QObject::connect(&control, &KorvelControl::Error, &control, [&](QString&, int&) { ++errors; });

    const QDateTime before = QDateTime::currentDateTimeUtc();
    ASSERT_TRUE(control.GetTime().isValid());
    EXPECT_EQ(errors, 0);
    // xinetd answers in whole seconds.
    const QDateTime received = control.GMTTime().toDateTime();
    EXPECT_GE(received, before.addSecs(-2));
    EXPECT_LE(received, before.addSecs(3));
}
