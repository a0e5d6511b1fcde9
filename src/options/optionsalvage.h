// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// Last-resort reading of a damaged INI file, line by line: a broken section
// header can make the regular reader file the following keys under a
// mangled group, and the values that are still plainly there must not be
// lost to defaults.
namespace OptionSalvage {

// The "key=value" lines under a line that starts with "[group]" or ends with
// it (with garbage before it only when no line is "[group]" alone), up to the
// next line that starts a section; blanks around keys and values dropped,
// one pair of surrounding double quotes removed.
QHash<QString, QString> readGroup(const QByteArray& bytes, const QString& group);

} // namespace OptionSalvage
