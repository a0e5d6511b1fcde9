// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <stdexcept>

// The error CWinInetConnection raises to its caller: number, source member
// and a description, the way Korvel's components report failures.
class ConnectionError : public std::runtime_error
{
public:
    // Component error base (0x80040000) plus 1000.
    static constexpr quint32 NumberBase = 0x800403E8;

    ConnectionError(quint32 number, QString source, QString description);

    quint32 number() const { return m_number; }
    QString source() const { return m_source; }
    QString description() const { return m_description; }

private:
    quint32 m_number;
    QString m_source;
    QString m_description;
};
