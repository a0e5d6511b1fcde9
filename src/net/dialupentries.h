#pragma once

#include <QStringList>

class ConnectionBackend;

namespace DialUpEntries {
// The phone book holds at most this many entries; later ones are not listed.
constexpr qsizetype MaxEntries = 256;

// Fills DUN_Array with the names of the dial-up entries, in the system's
// order. No entries (or no phone book at all) gives an empty list.
void DUN_Services(QStringList& DUN_Array, ConnectionBackend& backend);
} // namespace DialUpEntries
