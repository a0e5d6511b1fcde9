// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// Reads the settings file without ever waiting on it or filling memory with
// it: only a regular file of sane size holds options. A FIFO, a device, a
// folder or a file of gigabytes is damage, which the store reports and
// leaves as it is.
namespace OptionFileReading {

// Far beyond any settings file Korvel writes.
inline constexpr qint64 kMostBytes = 1024 * 1024;

struct Reading
{
    bool exists = false;
    QByteArray bytes;
    // Why the file cannot be taken as options ("not a plain file"...);
    // empty when it was read or is absent.
    QString damage;
};

Reading read(const QString& path);

} // namespace OptionFileReading
