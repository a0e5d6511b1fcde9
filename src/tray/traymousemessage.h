// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tray/traymouseevent.h"

#include <QtGlobal>

// Decodes the raw mouse messages a tray host sends along with an icon's
// callback (WM_MOUSEMOVE 0x200 to WM_RBUTTONDBLCLK 0x206). The middle button
// and everything else mean nothing to Korvel.
namespace TrayMouseMessage {

// A host that moves the message through a form's mouse-move X coordinate
// hands it over in twips: message × 15.
constexpr qint32 TwipsPerMessage = 15;

TrayMouseEvent decode(quint32 message);
TrayMouseEvent decodeTwips(qint32 xTwips);

} // namespace TrayMouseMessage
