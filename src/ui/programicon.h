// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>

// Korvel's own icon: a round clock face with hands, from 16 x 16 to 64 x 64.
namespace ProgramIcon {

QIcon icon();

} // namespace ProgramIcon
