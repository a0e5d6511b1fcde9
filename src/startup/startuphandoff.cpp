// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/startuphandoff.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

namespace {
const char* const kVariable = "KORVEL_STARTUP";
} // namespace

// "<minutes elapsed> <0|1 started with Load>": the outcome alone. Option
// texts stay in the settings file: any of them may be longer than the
// environment of a new program can hold.
void StartupHandoff::pass(const StartupState& state)
{
    qputenv(kVariable, QByteArray::number(state.m_lMinutesElapsed) + ' ' + (state.m_bStartedWithLoad ? '1' : '0'));
}

std::optional<StartupState> StartupHandoff::take()
{
    if (!qEnvironmentVariableIsSet(kVariable))
        return std::nullopt;
    const QByteArray text = qgetenv(kVariable);
    qunsetenv(kVariable);

    const QList<QByteArray> fields = text.split(' ');
    bool ok = false;
    StartupState state;
    if (fields.size() == 2)
        state.m_lMinutesElapsed = fields[0].toInt(&ok);
    if (!ok || (fields[1] != "0" && fields[1] != "1"))
        return std::nullopt;
    state.m_bStartedWithLoad = fields[1] == "1";
    return state;
}
