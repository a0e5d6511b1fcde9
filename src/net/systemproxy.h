// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Whether the system's proxy settings send web traffic through a proxy:
// the usual environment variables first, then Qt's system proxy query.
namespace SystemProxy {
bool inUse();
} // namespace SystemProxy
