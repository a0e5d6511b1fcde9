// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

class ConnectionBackend;

namespace DialUpEntries {
// The phone book table holds this many entries; a larger book lists none.
constexpr qsizetype MaxEntries = 256;

// Fills DUN_Array with the names of the dial-up entries, in the system's
// order. No entries (or no phone book at all) gives an empty list.
void DUN_Services(QStringList& DUN_Array, ConnectionBackend& backend);
} // namespace DialUpEntries
