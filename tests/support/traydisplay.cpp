// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/traydisplay.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {
// Takes ownership of an xcb reply.
template <typename Reply>
std::unique_ptr<Reply, decltype(&std::free)> owned(Reply* reply)
{
    return {reply, &std::free};
}

// A short-lived connection to the display for one question.
struct XConnection
{
    explicit XConnection(const QString& display) : c(xcb_connect(display.toLocal8Bit().constData(), &screen)) {}
    ~XConnection() { xcb_disconnect(c); }
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    bool isOpen() const { return xcb_connection_has_error(c) == 0; }

    xcb_atom_t atom(const QByteArray& name) const
    {
        const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, quint16(name.size()), name.constData());
        const auto reply = owned(xcb_intern_atom_reply(c, cookie, nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    QByteArray property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) const
    {
        const auto reply =
            owned(xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, 256), nullptr));
        return reply ? QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                                  xcb_get_property_value_length(reply.get()))
                     : QByteArray();
    }

    QList<xcb_window_t> children(xcb_window_t window) const
    {
        const auto reply = owned(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
        const xcb_window_t* first = reply ? xcb_query_tree_children(reply.get()) : nullptr;
        return first ? QList<xcb_window_t>(first, first + xcb_query_tree_children_length(reply.get()))
                     : QList<xcb_window_t>();
    }

    // The windows below `window` whose _NET_WM_PID is `pid`.
    void collectOwnedBelow(xcb_window_t window, xcb_atom_t pidAtom, qint64 pid, QList<quint32>& found) const
    {
        for (xcb_window_t child : children(window)) {
            const QByteArray value = property(child, pidAtom, XCB_ATOM_CARDINAL);
            if (value.size() == sizeof(quint32) && *reinterpret_cast<const quint32*>(value.constData()) == quint32(pid))
                found.append(child);
            collectOwnedBelow(child, pidAtom, pid, found);
        }
    }

    int screen = 0;
    xcb_connection_t* c;
};
} // namespace

void TrayDisplay::exportToEnvironment() const
{
    qputenv("DISPLAY", name().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
}

QList<quint32> TrayDisplay::dockedWindows(const QString& display, qint64 pid)
{
    QList<quint32> docked;
    const XConnection x(display);
    if (!x.isOpen())
        return docked;
    const xcb_atom_t wmClass = x.atom("WM_CLASS");
    const xcb_atom_t pidAtom = x.atom("_NET_WM_PID");
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x.c));
    for (int i = 0; i < x.screen; ++i)
        xcb_screen_next(&screens);
    for (xcb_window_t topLevel : x.children(screens.data->root)) {
        // WM_CLASS is "instance\0class\0"; trayer's panel is "panel\0trayer\0".
        if (x.property(topLevel, wmClass, XCB_ATOM_STRING).split('\0').value(1) == "trayer")
            x.collectOwnedBelow(topLevel, pidAtom, pid, docked);
    }
    return docked;
}
