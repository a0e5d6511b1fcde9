// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/connectionerror.h"

ConnectionError::ConnectionError(quint32 number, QString source, QString description)
    : std::runtime_error(description.toStdString())
    , m_number(number)
    , m_source(std::move(source))
    , m_description(std::move(description))
{
}
