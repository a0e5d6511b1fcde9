// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/systembus.h"
#include "clockset/clocksetter.h"

#include <QDBusConnection>

#include <memory>

// The one place that decides how Korvel sets the clock: directly when the
// process may (CAP_SYS_TIME), else through systemd-timedated, which asks the
// user for permission.
namespace ClockSetterSelector {

enum class ClockBackend { ClockSettime, Timedated };

// Whether this process's effective capabilities include CAP_SYS_TIME.
bool holdsSysTimeCapability();

ClockBackend choose(bool holdsCapability);

std::unique_ptr<ClockSetter> create(ClockBackend backend, const QDBusConnection& bus = SystemBus::connection());

// The setter for this process as it runs now.
std::unique_ptr<ClockSetter> createDefault();

} // namespace ClockSetterSelector
