// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One stored value of the "Option" group: its key and the text read when the
// key is missing.
struct OptionKey
{
    const char* name;
    const char* defaultText;
};

// Every value Korvel keeps between runs. "CheckEvery" holds the on/off state
// of the update check box and "CheckTime" its hours: the names run crosswise.
namespace Option {

inline constexpr OptionKey Connection{"Connection", ""};
inline constexpr OptionKey CheckEvery{"CheckEvery", "0"};
inline constexpr OptionKey CheckTime{"CheckTime", "2"};
inline constexpr OptionKey CheckAuto{"CheckAuto", "0"};
inline constexpr OptionKey Disconnect{"Disconnect", "0"};
inline constexpr OptionKey Unload{"Unload", "0"};
inline constexpr OptionKey TimeAway{"TimeAway", "4"};
inline constexpr OptionKey Beep{"Beep", "0"};
inline constexpr OptionKey TimeZone{"TimeZone", "0"};
inline constexpr OptionKey LastUpdate{"LastUpdate", "0:00:00"};

} // namespace Option
