// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/localizedtext.h"

#include <QDateTime>
#include <QString>

#include <optional>

// The stored "LastUpdate" text. Korvel writes the instant in UTC as ISO 8601,
// which names the same moment after a change of language, of zone or of
// summer time; texts in the user's general date form, as older versions
// wrote, still read, as the local time they say. The status lines show it in
// the general date form, in the zone of the moment they are shown.
namespace LastUpdateText {

// The text to store for an instant, to the whole second.
QString stored(const QDateTime& instant);
// The instant a stored text names; nothing when it is not a date.
std::optional<QDateTime> instant(const QString& storedText);
// A stored text in the user's general date form; a text that is not a date
// as it stands.
QString shown(const QString& storedText);
// The status line that says when the last update was.
LocalizedText statusLine(const QString& storedText);

} // namespace LastUpdateText
