// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The stored "LastUpdate" text. Korvel writes ISO 8601 with the zone's
// offset, which reads back the same after a change of language or of summer
// time; texts in the user's general date form, as older versions wrote,
// still read. The status lines show it in the general date form.
namespace LastUpdateText {

// The text to store for a local date serial.
QString stored(double localSerial);
// A stored text in the user's general date form; a text that is not a date
// as it stands.
QString shown(const QString& storedText);

} // namespace LastUpdateText
