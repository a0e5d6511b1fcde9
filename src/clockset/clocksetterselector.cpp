// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clockset/clocksetterselector.h"

#include "clockset/clocksetlog.h"
#include "clockset/posixclocksetter.h"
#include "clockset/timedatedclocksetter.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace ClockSetterSelector {

bool holdsSysTimeCapability()
{
    // The raw call spares a dependency on libcap for one bit.
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (::syscall(SYS_capget, &header, data) != 0) {
        qCWarning(lcClockSet) << "capget failed; assuming no CAP_SYS_TIME";
        return false;
    }
    return data[CAP_SYS_TIME / 32].effective & (1u << (CAP_SYS_TIME % 32));
}

ClockBackend choose(bool holdsCapability)
{
    return holdsCapability ? ClockBackend::ClockSettime : ClockBackend::Timedated;
}

std::unique_ptr<ClockSetter> create(ClockBackend backend, const QDBusConnection& bus)
{
    switch (backend) {
    case ClockBackend::ClockSettime:
        return std::make_unique<PosixClockSetter>();
    case ClockBackend::Timedated:
        break;
    }
    return std::make_unique<TimedatedClockSetter>(bus);
}

std::unique_ptr<ClockSetter> createDefault()
{
    return create(choose(holdsSysTimeCapability()));
}

} // namespace ClockSetterSelector
