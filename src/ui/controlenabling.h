// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

// A control's own enabled flag, not the one it inherits from a disabled
// frame: each call touches the control only when its own flag changes.
namespace ControlEnabling {

void DisableControl(QWidget* ctl);
void EnableControl(QWidget* ctl);

} // namespace ControlEnabling
