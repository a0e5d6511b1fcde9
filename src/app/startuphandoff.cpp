#include "app/startuphandoff.h"

#include <QByteArray>
#include <QtGlobal>

namespace {
const char* const kVariable = "KORVEL_STARTUP";
} // namespace

// "<minutes elapsed> <0|1 started with Load> <last update text>": the text
// goes last because it may hold spaces.
void StartupHandoff::pass(const StartupState& state)
{
    const QByteArray text = QByteArray::number(state.m_lMinutesElapsed) + ' '
        + (state.m_bStartedWithLoad ? '1' : '0') + ' ' + state.m_sLastUpdate.toUtf8();
    qputenv(kVariable, text);
}

std::optional<StartupState> StartupHandoff::take()
{
    if (!qEnvironmentVariableIsSet(kVariable))
        return std::nullopt;
    const QByteArray text = qgetenv(kVariable);
    qunsetenv(kVariable);

    const qsizetype firstSpace = text.indexOf(' ');
    if (firstSpace < 0 || text.size() < firstSpace + 3 || text.at(firstSpace + 2) != ' ')
        return std::nullopt;
    bool ok = false;
    StartupState state;
    state.m_lMinutesElapsed = text.left(firstSpace).toInt(&ok);
    const char load = text.at(firstSpace + 1);
    if (!ok || (load != '0' && load != '1'))
        return std::nullopt;
    state.m_bStartedWithLoad = load == '1';
    state.m_sLastUpdate = QString::fromUtf8(text.mid(firstSpace + 3));
    return state;
}
