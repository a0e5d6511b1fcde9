// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/dbusmock.h"

// NetworkManager as peers/private-bus.sh plays it (with PrimaryConnection and
// PrimaryConnectionType), and the connections and devices tests give it.
class NetworkManagerMock : public DBusMock
{
public:
    // NetworkManager's NMState values that tests set.
    static constexpr uint StateDisconnected = 20;
    static constexpr uint StateConnectedGlobal = 70;

    explicit NetworkManagerMock(const PrivateSystemBus& bus);

    // Adds a connection profile; returns its object path.
    QString addProfile(const QString& id, const QString& type = QStringLiteral("gsm"));
    // Adds a modem device (needed for a deactivation to take effect).
    void addModemDevice();
    // An activated connection that somebody else brought up; returns its path.
    QString addActiveConnection(const QString& profilePath, const QString& name);
    QStringList activeConnections();
    // Takes a connection down as NetworkManager does when a line drops.
    void deactivate(const QString& activePath);
    void setState(uint nmState);
    void setNetworkingEnabled(bool enabled);
    // What NetworkManager reports as the connection to the Internet.
    void setPrimaryConnection(const QString& activePath, const QString& type);
    // Any property of the manager, as a GVariant text ("<[1, 2]>").
    void setManagerProperty(const QString& name, const QString& value);
};
