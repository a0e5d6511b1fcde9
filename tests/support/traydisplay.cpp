#include "support/traydisplay.h"

#include <QDeadlineTimer>
#include <QThread>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {
constexpr int kStartMsecs = 10000;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

// A short-lived connection to the display for one question.
class XConnection
{
public:
    explicit XConnection(const QString& display)
        : m_connection(xcb_connect(display.toLocal8Bit().constData(), &m_screenNumber))
    {
    }
    ~XConnection() { xcb_disconnect(m_connection); }
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    bool isOpen() const { return xcb_connection_has_error(m_connection) == 0; }
    int screenNumber() const { return m_screenNumber; }
    xcb_connection_t* get() const { return m_connection; }

    xcb_window_t root() const
    {
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
        for (int i = 0; i < m_screenNumber; ++i)
            xcb_screen_next(&screens);
        return screens.data->root;
    }

    xcb_atom_t atom(const QByteArray& name) const
    {
        const auto reply = owned(xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, quint16(name.size()), name.constData()), nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    QByteArray property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) const
    {
        const auto reply = owned(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, name, type, 0, 256), nullptr));
        if (!reply)
            return {};
        return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                          xcb_get_property_value_length(reply.get()));
    }

    QList<xcb_window_t> children(xcb_window_t window) const
    {
        const auto reply = owned(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
        if (!reply)
            return {};
        const xcb_window_t* first = xcb_query_tree_children(reply.get());
        return QList<xcb_window_t>(first, first + xcb_query_tree_children_length(reply.get()));
    }

private:
    int m_screenNumber = 0;
    xcb_connection_t* m_connection;
};

bool belongsTo(const XConnection& x, xcb_window_t window, xcb_atom_t pidAtom, qint64 pid)
{
    const QByteArray value = x.property(window, pidAtom, XCB_ATOM_CARDINAL);
    return value.size() == sizeof(quint32) && *reinterpret_cast<const quint32*>(value.constData()) == quint32(pid);
}

void collectOwnedBelow(const XConnection& x, xcb_window_t window, xcb_atom_t pidAtom, qint64 pid,
                       QList<quint32>& owned)
{
    for (xcb_window_t child : x.children(window)) {
        if (belongsTo(x, child, pidAtom, pid))
            owned.append(child);
        collectOwnedBelow(x, child, pidAtom, pid, owned);
    }
}
} // namespace

TrayDisplay::TrayDisplay()
{
    // Xvfb picks a free display number itself and writes it to standard output.
    // Without -noreset it would reset whenever its last client leaves, and a
    // client arriving meanwhile is turned away.
    m_xvfb.start("Xvfb", {"-displayfd", "1", "-noreset", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
    const QDeadlineTimer deadline(kStartMsecs);
    while (!m_xvfb.canReadLine() && m_xvfb.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    const QByteArray number = m_xvfb.readLine().trimmed();
    if (number.isEmpty()) {
        m_error = "Xvfb gave no display: " + m_xvfb.errorString() + ' ' + m_xvfb.readAllStandardError();
        return;
    }
    m_name = ':' + QString::fromLatin1(number);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", m_name);
    m_trayer.setProcessEnvironment(environment);
    m_trayer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_trayer.setStandardOutputFile(QProcess::nullDevice());
    m_trayer.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "request", "--height", "24",
                              "--transparent", "false", "--SetDockType", "false", "--SetPartialStrut", "false"});
    if (!m_trayer.waitForStarted()) {
        m_error = "trayer did not start: " + m_trayer.errorString();
        return;
    }
    while (!trayIsOwned()) {
        if (deadline.hasExpired() || m_trayer.state() != QProcess::Running) {
            m_error = "trayer did not take the tray on " + m_name;
            return;
        }
        QThread::msleep(20);
    }
}

TrayDisplay::~TrayDisplay()
{
    for (QProcess* process : {&m_trayer, &m_xvfb}) {
        process->terminate();
        process->waitForFinished(3000);
    }
}

void TrayDisplay::exportToEnvironment() const
{
    qputenv("DISPLAY", m_name.toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
}

QList<quint32> TrayDisplay::dockedWindows(const QString& display, qint64 pid)
{
    QList<quint32> owned;
    const XConnection x(display);
    if (!x.isOpen())
        return owned;
    const xcb_atom_t wmClass = x.atom("WM_CLASS");
    const xcb_atom_t pidAtom = x.atom("_NET_WM_PID");
    for (xcb_window_t topLevel : x.children(x.root())) {
        // WM_CLASS is "instance\0class\0"; trayer's panel is "panel\0trayer\0".
        if (x.property(topLevel, wmClass, XCB_ATOM_STRING).split('\0').value(1) == "trayer")
            collectOwnedBelow(x, topLevel, pidAtom, pid, owned);
    }
    return owned;
}

bool TrayDisplay::trayIsOwned() const
{
    const XConnection x(m_name);
    if (!x.isOpen())
        return false;
    const xcb_atom_t selection = x.atom("_NET_SYSTEM_TRAY_S" + QByteArray::number(x.screenNumber()));
    const auto reply = owned(xcb_get_selection_owner_reply(x.get(), xcb_get_selection_owner(x.get(), selection), nullptr));
    return reply && reply->owner != XCB_WINDOW_NONE;
}
