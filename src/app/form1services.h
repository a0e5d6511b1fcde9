// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>

#include <functional>
#include <memory>

class ClockSetter;
class ConnectionBackend;
class NetworkTimeSwitch;
class UserPrompts;

// What the main window uses of the system. A member left empty gets the
// real thing; tests put fakes in.
struct Form1Services
{
    std::shared_ptr<ConnectionBackend> backend;
    std::shared_ptr<ClockSetter> clockSetter;
    std::shared_ptr<UserPrompts> prompts;
    // Whether the system's network time keeps the clock, and the way to change it.
    std::shared_ptr<NetworkTimeSwitch> networkTime;
    // Ends the program once the window has unloaded.
    std::function<void()> endProgram;
    // The day Korvel was built: no received time before it is believed.
    QDate buildDay;
    // Whether the desktop has a tray to hide the window in.
    std::function<bool()> trayAvailable;

    // Fills every member left empty with the real thing.
    void completeWithSystem();
};
