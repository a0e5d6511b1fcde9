// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/eventslice.h"
#include "net/backendselector.h"
#include "net/cwininetconnection.h"

#include "support/networkmanagermock.h"
#include "support/privatesystembus.h"

#include <gtest/gtest.h>

#include <optional>

// NetworkManager may stop while Korvel runs: it carries on without it
// instead of holding on to what it said.
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
