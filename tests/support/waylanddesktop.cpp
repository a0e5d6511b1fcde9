#include "support/waylanddesktop.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace {
constexpr int kStartMsecs = 15000;
const char* const kUser = "korvel-desktop";
const QByteArray kRunningLine = "Running compositor on wayland display '";

// The window floats, as on a desktop that does not tile.
const char* const kSwayConfiguration = R"(output HEADLESS-1 resolution 1024x768
xwayland disable
for_window [app_id="korvel"] floating enable
)";
const char* const kWaybarConfiguration =
    R"({"layer": "top", "position": "top", "height": 26, "modules-right": ["tray"],)"
    R"( "tray": {"icon-size": 16, "spacing": 4}})";
const char* const kWaybarStyle = "window#waybar { background: #30343a; }\n";

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

WaylandDesktop::WaylandDesktop()
{
    if (!m_sessionBus.isRunning()) {
        m_error = "no session bus: " + m_sessionBus.errorText();
        return;
    }
    if (!findUser())
        return;
    writeConfiguration();
    giveToUser(m_home.path());
    if (!start(m_sway, "sway", {"-V", "-c", m_home.filePath("sway.conf")}))
        return;
    // sway names its display in its log once it runs.
    m_sway.setReadChannel(QProcess::StandardError);
    const QDeadlineTimer deadline(kStartMsecs);
    QByteArray log;
    while (!log.contains(kRunningLine) && m_sway.waitForReadyRead(int(deadline.remainingTime())))
        log += m_sway.readAllStandardError();
    const qsizetype at = log.indexOf(kRunningLine);
    if (at < 0) {
        m_error = "sway did not start: " + QString::fromLocal8Bit(log.right(2000));
        return;
    }
    m_wayland = QString::fromLatin1(log.mid(at + kRunningLine.size())).section(u'\'', 0, 0);
    // The rest of sway's talk is not needed.
    m_sway.setStandardErrorFile(QProcess::nullDevice());
    m_sway.closeReadChannel(QProcess::StandardError);
    if (!start(m_waybar, "waybar", {"-c", m_home.filePath(".config/waybar/config"), "-s",
                                     m_home.filePath(".config/waybar/style.css")}))
        return;
    while (!hostIsRegistered()) {
        if (deadline.hasExpired() || m_waybar.state() != QProcess::Running) {
            m_error = "waybar registered no tray host: " + QString::fromLocal8Bit(m_waybar.readAll().right(2000));
            return;
        }
        QThread::msleep(20);
    }
}

WaylandDesktop::~WaylandDesktop()
{
    for (QProcess* process : {&m_waybar, &m_sway}) {
        process->terminate();
        process->waitForFinished(3000);
    }
}

QList<std::pair<const char*, QString>> WaylandDesktop::environment() const
{
    return {{"XDG_RUNTIME_DIR", m_home.filePath("run")},   {"HOME", m_home.path()},
            {"DBUS_SESSION_BUS_ADDRESS", sessionBusAddress()}, {"WAYLAND_DISPLAY", m_wayland},
            {"SWAYSOCK", m_home.filePath("run/sway.sock")}, {"QT_QPA_PLATFORM", "wayland"},
            {"DISPLAY", {}},                                {"NO_AT_BRIDGE", "1"}};
}

void WaylandDesktop::runAsUser(QProcess& process) const
{
    if (geteuid() != 0)
        return;
    const uid_t uid = m_uid;
    const gid_t gid = m_gid;
    process.setChildProcessModifier([uid, gid] {
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
            _exit(127);
    });
}

void WaylandDesktop::giveToUser(const QString& path) const
{
    if (geteuid() == 0)
        QProcess::execute("chown", {"-R", QString("%1:%2").arg(m_uid).arg(m_gid), path});
}

QString WaylandDesktop::swaymsg(const QStringList& arguments) const
{
    QProcess tool;
    tool.start("swaymsg", QStringList{"-s", m_home.filePath("run/sway.sock")} + arguments);
    tool.waitForFinished(10000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

bool WaylandDesktop::findUser()
{
    if (geteuid() != 0) {
        m_uid = getuid();
        m_gid = getgid();
        return true;
    }
    // Another test may be creating the user at the same moment: look again.
    if (!getpwnam(kUser))
        QProcess::execute("useradd", {"--system", "--user-group", "--no-create-home", "--home-dir", "/nonexistent",
                                      "--shell", "/usr/sbin/nologin", kUser});
    const passwd* user = getpwnam(kUser);
    for (int i = 0; !user && i < 50; ++i, QThread::msleep(100))
        user = getpwnam(kUser);
    if (!user) {
        m_error = QString("no user %1 to run sway as (useradd failed)").arg(kUser);
        return false;
    }
    m_uid = user->pw_uid;
    m_gid = user->pw_gid;
    return true;
}

void WaylandDesktop::writeConfiguration()
{
    QDir home(m_home.path());
    home.mkpath("run");
    home.mkpath(".config/waybar");
    QFile(home.filePath("run")).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    writeFile(home.filePath("sway.conf"), kSwayConfiguration);
    writeFile(home.filePath(".config/waybar/config"), kWaybarConfiguration);
    writeFile(home.filePath(".config/waybar/style.css"), kWaybarStyle);
}

bool WaylandDesktop::start(QProcess& process, const QString& program, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : this->environment())
        value.isEmpty() ? environment.remove(name) : environment.insert(name, value);
    environment.remove("QT_QPA_PLATFORM");
    environment.insert("XDG_CONFIG_HOME", m_home.filePath(".config"));
    environment.insert("WLR_BACKENDS", "headless");
    environment.insert("WLR_LIBINPUT_NO_DEVICES", "1");
    environment.insert("WLR_RENDERER", "pixman");
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    runAsUser(process);
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        m_error = program + " did not start: " + process.errorString();
        return false;
    }
    return true;
}

bool WaylandDesktop::hostIsRegistered() const
{
    QProcess tool;
    tool.start("gdbus", {"call", "--address", sessionBusAddress(), "--dest", "org.kde.StatusNotifierWatcher",
                         "--object-path", "/StatusNotifierWatcher", "--method", "org.freedesktop.DBus.Properties.Get",
                         "org.kde.StatusNotifierWatcher", "IsStatusNotifierHostRegistered"});
    tool.waitForFinished(5000);
    return tool.readAllStandardOutput().contains("true");
}
