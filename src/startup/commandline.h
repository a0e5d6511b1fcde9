// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The command line as one text, and the lookup of a value that follows a key.
namespace CommandLine {

// The arguments after the program's name, joined with single spaces.
QString fromArguments(int argc, const char* const* argv);

// Splits `commandLine` at every `separator` (empty pieces kept) and returns
// the piece after the first piece equal to `key` (case-sensitive); the last
// piece is never a key. Anything else gives `defaultValue`.
QString GetCommandLineValue(const QString& commandLine, const QString& key,
                            const QString& separator, const QString& defaultValue);

} // namespace CommandLine
