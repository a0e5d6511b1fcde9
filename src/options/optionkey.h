// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How an option's text is read (OptionConversion).
enum class OptionKind {
    Text,       // as it stands
    CheckState, // a check box: 0 clear, 1 checked, 2 grayed
    Hours,      // the hours between updates, shown as the schedule uses them
    Number,     // a leading number, kept as typed
    Boolean,    // "True" / "False" or a number
    ListIndex,  // a place in a list, -1 for none
    Date,       // a stored time (LastUpdate)
};

// One stored value of the "Option" group: its key, the text read when the
// key is missing, how the text is read, and the main window's control that
// holds it (none for what only an update writes).
struct OptionKey
{
    const char* name;
    const char* defaultText;
    OptionKind kind;
    const char* control;
};

// Every value Korvel keeps between runs. "CheckEvery" holds the on/off state
// of the update check box and "CheckTime" its hours: the names run crosswise.
namespace Option {

inline constexpr OptionKey Connection{"Connection", "", OptionKind::Text, "cboEntries"};
inline constexpr OptionKey CheckEvery{"CheckEvery", "0", OptionKind::CheckState, "chkTime"};
inline constexpr OptionKey CheckTime{"CheckTime", "2", OptionKind::Hours, "TxtTime"};
inline constexpr OptionKey CheckAuto{"CheckAuto", "0", OptionKind::CheckState, "chkAutoConnect"};
inline constexpr OptionKey Disconnect{"Disconnect", "0", OptionKind::CheckState, "ChkDisconnect"};
inline constexpr OptionKey Unload{"Unload", "0", OptionKind::CheckState, "chkUnload"};
inline constexpr OptionKey TimeAway{"TimeAway", "4", OptionKind::Number, "txtAway"};
inline constexpr OptionKey Beep{"Beep", "0", OptionKind::Boolean, "mnuBeep"};
inline constexpr OptionKey TimeZone{"TimeZone", "0", OptionKind::ListIndex, "cboTimeZone"};
inline constexpr OptionKey LastUpdate{"LastUpdate", "0:00:00", OptionKind::Date, nullptr};

// All of them, in the order they are saved and listed.
inline constexpr OptionKey all[] = {Connection, CheckEvery, CheckTime, CheckAuto, Disconnect,
                                    Unload,     TimeAway,   Beep,      TimeZone,  LastUpdate};

} // namespace Option
