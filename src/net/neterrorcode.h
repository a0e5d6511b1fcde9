// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// Codes above 12000 used for D-Bus and NetworkManager failures. They reuse the
// numbers of the matching Internet API errors so that a reader of an error
// number sees the same kind of failure on every platform.
namespace NetErrorCode {
// No answer from the bus in time, or a dial that neither came up nor failed
// within its bounded wait.
constexpr qint32 Timeout = 12002;
// Any other D-Bus error (service gone, refused call, bad reply).
constexpr qint32 InternalError = 12004;
// No dial-up profile with the requested name.
constexpr qint32 ItemNotFound = 12028;
// NetworkManager gave up on the activation, or the connection to hang up is
// no longer active.
constexpr qint32 CannotConnect = 12029;
} // namespace NetErrorCode
