// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cstring>

// Outcome of one backend call. A failed call may carry no code (0): that is
// "no" rather than an error, and nobody reports it.
//
// Codes:
//   1..12000   errno values; the text comes from the C library (strerror).
//   above 12000 D-Bus or NetworkManager failures; the text is the message
//              the bus or NetworkManager gave. See NetErrorCode.
struct NetResult
{
    bool ok = false;
    qint32 code = 0;
    QString message;

    static NetResult success() { return {true, 0, {}}; }
    static NetResult failure(qint32 code = 0, const QString& message = {}) { return {false, code, message}; }
    // A system error, with the C library's text for it.
    static NetResult fromErrno(int error) { return failure(error, QString::fromLocal8Bit(std::strerror(error))); }
};
