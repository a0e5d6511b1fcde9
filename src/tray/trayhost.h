// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The kind of notification-area host on this desktop, which decides who draws
// the tray menu. Everything in Korvel that depends on it asks here.
class TrayHost
{
public:
    enum class Kind {
        // An X11 panel embeds the icon's window and passes mouse presses on;
        // Korvel opens its own menu.
        XEmbed,
        // A StatusNotifierItem host on the session bus draws the icon and the
        // exported menu itself, and calls Korvel only to activate it.
        StatusNotifier,
    };

    // Asked once, the way Qt asks when it makes the first tray icon, so the
    // answer matches the icon Qt made.
    static Kind current();
};
