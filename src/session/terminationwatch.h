// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C) into a call on
// the event loop, so that ending Korvel from outside saves the options like
// every other way of ending it. One watch per process.
class TerminationWatch
{
public:
    explicit TerminationWatch(std::function<void()> onTermination);
    ~TerminationWatch();
    TerminationWatch(const TerminationWatch&) = delete;
    TerminationWatch& operator=(const TerminationWatch&) = delete;

private:
    std::function<void()> m_onTermination;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
