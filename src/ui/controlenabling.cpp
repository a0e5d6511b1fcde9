// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controlenabling.h"

#include <QWidget>

void ControlEnabling::DisableControl(QWidget* ctl)
{
    if (!ctl->testAttribute(Qt::WA_ForceDisabled))
        ctl->setEnabled(false);
}

void ControlEnabling::EnableControl(QWidget* ctl)
{
    if (ctl->testAttribute(Qt::WA_ForceDisabled))
        ctl->setEnabled(true);
}
