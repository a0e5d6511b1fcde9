// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/dialupentries.h"

#include "net/connectionbackend.h"
#include "net/netlog.h"

namespace DialUpEntries {

void DUN_Services(QStringList& DUN_Array, ConnectionBackend& backend)
{
    DUN_Array = backend.dialUpEntries();
    // A phone book larger than the table does not fit at all: none is listed.
    if (DUN_Array.size() > MaxEntries) {
        qCWarning(lcNet) << "Listing no dial-up entries: there are" << DUN_Array.size() << "and at most"
                         << MaxEntries << "fit";
        DUN_Array.clear();
    }
}

} // namespace DialUpEntries
