#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>

class PrivateSystemBus;

// NetworkManager played by python3-dbusmock's template on a private system
// bus. Started by the constructor (which waits for the name to appear),
// stopped by the destructor. The helpers fill in what the template lacks
// (PrimaryConnection, PrimaryConnectionType, a modem device).
class NetworkManagerMock
{
public:
    // NMState and NMActiveConnectionState values used by tests.
    static constexpr uint StateDisconnected = 20;
    static constexpr uint StateConnectedGlobal = 70;
    static constexpr uint ActiveActivating = 1;
    static constexpr uint ActiveActivated = 2;
    static constexpr uint ActiveDeactivated = 4;

    explicit NetworkManagerMock(const PrivateSystemBus& bus);
    ~NetworkManagerMock();
    NetworkManagerMock(const NetworkManagerMock&) = delete;
    NetworkManagerMock& operator=(const NetworkManagerMock&) = delete;

    bool isRunning() const { return m_error.isEmpty(); }
    QString errorText() const { return m_error; }

    // Adds a connection profile; returns its object path.
    QString addProfile(const QString& id, const QString& type = QStringLiteral("gsm"));
    // Adds a modem device (needed for a deactivation to take effect).
    QString addModemDevice(const QString& interfaceName = QStringLiteral("ttyUSB0"));
    // An active connection that somebody else brought up; returns its path.
    QString addActiveConnection(const QString& profilePath, const QString& name, uint state = ActiveActivated);
    void setState(uint nmState);
    void setNetworkingEnabled(bool enabled);
    void setPrimaryConnection(const QString& activePath, const QString& type);
    // From now on activations stay in the given state instead of coming up.
    void makeActivationsEndIn(uint activeState);
    QStringList activeConnections() const;
    // Ends the service, as when NetworkManager stops during a run.
    void stop();

private:
    QString gdbus(const QString& objectPath, const QString& method, const QStringList& arguments);

    QString m_address;
    QProcess m_process;
    QDBusConnection m_connection;
    QString m_error;
};
