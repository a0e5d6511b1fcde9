// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form1services.h"

#include "app/userprompts.h"
#include "base/systembus.h"
#include "clockset/clocksetterselector.h"
#include "clockset/networktimeswitch.h"
#include "net/backendselector.h"
#include "timeclient/clockadjustment.h"

#include <QSystemTrayIcon>

#include <cstdio>
#include <cstdlib>

namespace {
// The process ends at once: the options are saved and nothing else is pending.
void endProcessNow()
{
    std::fflush(nullptr);
    std::_Exit(0);
}
} // namespace

void Form1Services::completeWithSystem()
{
    if (!backend)
        backend = BackendSelector::createDefault();
    if (!clockSetter)
        clockSetter = ClockSetterSelector::createDefault();
    if (!prompts)
        prompts = std::make_shared<UserPrompts>();
    if (!networkTime)
        networkTime = std::make_shared<NetworkTimeSwitch>(SystemBus::connection());
    if (!endProgram)
        endProgram = endProcessNow;
    if (!trayAvailable)
        trayAvailable = &QSystemTrayIcon::isSystemTrayAvailable;
    if (!buildDay.isValid())
        buildDay = ClockAdjustment::buildDay();
}
