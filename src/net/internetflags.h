// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// The connection-state flag word and the dial option bits, with the values
// the rest of Korvel (and its stored habits) already speak in.
namespace InternetFlags {
constexpr quint32 Modem = 0x01;
constexpr quint32 Lan = 0x02;
constexpr quint32 Proxy = 0x04;
constexpr quint32 ModemBusy = 0x08;
constexpr quint32 RasInstalled = 0x10;
constexpr quint32 Offline = 0x20;
constexpr quint32 Configured = 0x40;

constexpr qint32 DialUnattended = 0x8000;
constexpr qint32 DialShowOffline = 0x4000;
constexpr qint32 AutodialFailIfSecurityCheck = 0x4;
} // namespace InternetFlags
