// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clockset/clocksetoutcome.h"

#include <QDBusConnection>
#include <QDBusMessage>

// One call to systemd-timedated that the desktop's authorisation agent may
// ask the user about first; that dialog can stay open for minutes, hence the
// long time-out.
namespace TimedatedCall {

inline constexpr int kTimeoutMsecs = 15 * 60 * 1000;

// A call of `method` on timedated's object, for the caller to add its arguments to.
QDBusMessage request(const QString& method);

// Sends `request` with interactive authorisation allowed and waits for the
// answer; the window meanwhile takes input and can be closed. `done` names
// what happened, for the log.
ClockSetOutcome call(const QDBusConnection& bus, QDBusMessage request, const QString& done);

// The plain words for a status line about `kind`.
QString reason(ClockSetOutcome::Kind kind);

} // namespace TimedatedCall
