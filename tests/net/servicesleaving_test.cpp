#include "base/eventslice.h"
#include "clockset/timedatedclocksetter.h"
#include "net/backendselector.h"
#include "net/cwininetconnection.h"

#include "support/networkmanagermock.h"
#include "support/privatesystembus.h"
#include "support/timedatedmock.h"

#include <gtest/gtest.h>

#include <optional>

// NetworkManager and timedated may stop while Korvel runs: it carries on
// without them instead of holding on to what they said.
TEST(ServicesLeaving, WithoutNetworkManagerItsDialUpsAreForgottenAndRoutesAnswer)
{
    PrivateSystemBus bus;
    std::optional<NetworkManagerMock> networkManager(std::in_place, bus);
    ASSERT_TRUE(networkManager->errorText().isEmpty()) << qPrintable(networkManager->errorText());
    networkManager->addModemDevice();
    networkManager->addProfile(QStringLiteral("Modem"));
    auto backend = std::make_shared<BackendSelector>(bus.connect("korvel-under-test"));
    CWinInetConnection connection(backend);
    ASSERT_TRUE(connection.Dial(0, QStringLiteral("Modem"), 0));

    networkManager.reset();
    EXPECT_TRUE(EventSlice::waitUntil([&] { return !backend->networkManagerPresent(); }, 10000));
    connection.Refresh();
    EXPECT_FALSE(connection.IsRasInstalled());
    EXPECT_FALSE(connection.HangUp().toBool()) << "nothing dialled through a service that left";
}

TEST(ServicesLeaving, WithoutTimedatedTheClockIsNotSetAndSaysWhy)
{
    PrivateSystemBus bus;
    std::optional<TimedatedMock> timedated(std::in_place, bus);
    ASSERT_TRUE(timedated->errorText().isEmpty()) << qPrintable(timedated->errorText());
    TimedatedClockSetter setter(bus.connect("korvel-under-test"));
    EXPECT_TRUE(setter.obstacle().isEmpty());
    timedated.reset();
    const ClockSetOutcome outcome = setter.adjust(1'000'000);
    EXPECT_EQ(outcome.kind, ClockSetOutcome::Kind::ServiceMissing) << qPrintable(outcome.reason);
    EXPECT_EQ(setter.obstacle(), outcome.reason);
}
