// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <array>
#include <optional>

QT_BEGIN_NAMESPACE
class QComboBox;
QT_END_NAMESPACE

// The second clock's zones: a fixed list with one offset each for the whole
// year (no daylight saving). The stored "TimeZone" option is a bare index
// into this list, so its order is part of the stored format.
namespace TimeZoneList {

inline constexpr int kEntryCount = 59;
// The window's offsets table has three spare slots past the list; they hold
// 0 and no entry leads to them.
inline constexpr int kOffsetCount = 62;
using Offsets = std::array<double, kOffsetCount>;

// Adds the entries to the combo box in display order and fills `zoneOffsets`
// to match: entry i's offset at index i, 0 in the spares. The box keeps what
// it showed before and selects nothing, so a stored choice that does not
// convert leaves its design text in place.
void fill(QComboBox* combo, Offsets& zoneOffsets);

// The offset a click on list index `index` sets on the time component;
// nothing when no entry is selected (index -1) or the index is past the table.
std::optional<double> offsetForIndex(int index, const Offsets& zoneOffsets);

} // namespace TimeZoneList
