// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "options/optionkey.h"

#include <QString>

#include <optional>

// Stored option texts to control states and back. A text that does not
// convert gives the key's default, so a damaged store never stops a start.
namespace OptionConversion {

// A whole number in 16 bits: blanks around it allowed, the period as decimal
// separator, halves rounded to the even neighbour ("2.5" -> 2).
std::optional<qint16> toInt16(const QString& text);

// A check box state, stored as 0 clear, 1 checked, 2 grayed (which is not
// the order of Qt's enumeration).
Qt::CheckState checkState(const OptionKey& key, const QString& text);
QString fromCheckState(Qt::CheckState state);

// What a box's state means. Grayed enables the controls the box governs
// and counts as on where the box is a switch (automatic dialling; an
// unattended start with automatic updates stays after its update), but
// nothing that acts by itself follows a grayed box: no automatic update,
// no hang-up when done, no leaving an unattended start.
bool enables(Qt::CheckState state);
bool acts(Qt::CheckState state);

// "True" / "False" in any case, or a number (0 is false, others true).
bool boolean(const OptionKey& key, const QString& text);
QString fromBoolean(bool value);

// A list index for a list of `listSize` entries; a text that is not a
// number or an index outside the list gives -1 (nothing selected).
int listIndex(const QString& text, int listSize);
QString fromListIndex(int index);

} // namespace OptionConversion
