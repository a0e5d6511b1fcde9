#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

class PrivateSystemBus;

// systemd-timedated played by python3-dbusmock's `timedated` template on a
// private bus, driven through gdbus. Runs from the constructor (which waits
// for the name to appear) until the destructor.
//
// As the template comes, NTP is on and SetTime accepts every call and changes
// nothing (no clock is ever touched); every call is logged either way. The
// refuse* helpers replace SetTime for the rest of the mock's life, the last
// one called wins.
class TimedatedMock
{
public:
    static constexpr const char* AutomaticTimeSyncEnabled = "org.freedesktop.timedate1.AutomaticTimeSyncEnabled";
    static constexpr const char* NotAuthorized = "org.freedesktop.PolicyKit1.Error.NotAuthorized";

    // One SetTime call as timedated received it.
    struct SetTimeCall {
        qint64 usecUtc = 0;
        bool relative = false;
        bool interactive = false;
        bool operator==(const SetTimeCall&) const = default;
    };

    explicit TimedatedMock(const PrivateSystemBus& bus);
    ~TimedatedMock();
    TimedatedMock(const TimedatedMock&) = delete;
    TimedatedMock& operator=(const TimedatedMock&) = delete;

    // Empty while running, else why it did not start.
    QString errorText() const { return m_error; }

    // Every SetTime call so far, refused ones included, oldest first.
    QList<SetTimeCall> setTimeCalls();
    // Switches automatic network time (the NTP property) on or off.
    void setNtp(bool on);
    // SetTime fails with AutomaticTimeSyncEnabled while NTP is on and succeeds
    // while it is off, as the real service does.
    void refuseWhileNtpOn();
    // SetTime fails as when the user denies or dismisses the authorisation dialog.
    void refuseAuthorisation();
    // SetTime fails with the D-Bus error `errorName`.
    void refuseSetTime(const QString& errorName);

private:
    void replaceSetTime(const QString& pythonCode);
    QString call(const QString& method, const QStringList& arguments);

    QString m_address;
    QProcess m_process;
    QString m_error;
};
