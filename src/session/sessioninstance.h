// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "session/instancefolder.h"
#include "session/instancelock.h"
#include "session/instancemessenger.h"

#include <QByteArray>
#include <QString>

#include <functional>

// One Korvel per user session: a later start hands over to the running one
// instead of becoming a second copy that would set the clock as well and
// write its own options over the first one's. The running one is whoever
// holds the lock in the user's private folder; the socket beside it only
// carries the later start's request. Korvels on different settings files
// (another XDG_CONFIG_HOME) do not meet.
class SessionInstance
{
public:
    // What a later start asks of the running Korvel.
    enum class Request : char {
        ShowWindow = 'w', // a start from the menu: bring the window up
        Unattended = 'u', // a start at login: nothing to do, it already runs
    };
    enum class Claim {
        Run,         // this start is the running Korvel (or cannot tell, and says so)
        HandedOver,  // the running Korvel took the request: this start ends
        NotAnswered, // one holds the lock but did not take it in time (said)
    };

    // The guard of the Korvel that keeps its options in `settingsFile`
    // (named by its real path, so a link to the folder meets it too).
    explicit SessionInstance(const QString& settingsFile);

    // Becomes the running Korvel, or hands `request` over to it; needs no
    // application object. Two starts at the same moment: one runs.
    Claim claim(Request request);
    // Takes the later starts' requests from now on; needs the application
    // object.
    void serveLaterStarts();
    // How to bring the window up; a request that came before runs now.
    void setShowWindow(std::function<void()> showWindow);
    // Removes the socket and the lock; the end of the program does it too.
    void release();

private:
    bool askRunning(Request request, int waitMsecs) const;
    bool serve(char request);

    InstanceFolder m_folder;
    QByteArray m_name;
    InstanceLock m_lock;
    InstanceMessenger m_messenger;
    std::function<void()> m_showWindow;
    bool m_showPending = false;
};
