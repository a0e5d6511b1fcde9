// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controlpanel.h"

#include "ui/uilog.h"

#include <QProcess>

#include <span>
#include <vector>

namespace {

struct Candidate
{
    const char* desktop; // as XDG_CURRENT_DESKTOP names it, without "X-"
    const char* program;
    const char* argument; // nullptr: none
};

// Plasma 5 and 6 name the modules alike; their shells differ. Xfce and MATE
// have no date and time page of their own, so they get whatever is installed.
constexpr Candidate kTimeZonePages[] = {
    {"GNOME", "gnome-control-center", "datetime"},
    {"Budgie", "budgie-control-center", "datetime"},
    {"KDE", "systemsettings", "kcm_clock"},
    {"KDE", "kcmshell6", "kcm_clock"},
    {"KDE", "systemsettings5", "kcm_clock"},
    {"KDE", "kcmshell5", "kcm_clock"},
    {"Cinnamon", "cinnamon-settings", "calendar"},
};

constexpr Candidate kRegionalPages[] = {
    {"GNOME", "gnome-control-center", "region"},
    {"Budgie", "budgie-control-center", "region"},
    {"KDE", "systemsettings", "kcm_regionandlang"},
    {"KDE", "kcmshell6", "kcm_regionandlang"},
    {"KDE", "systemsettings5", "kcm_regionandlang"},
    {"KDE", "kcmshell5", "kcm_regionandlang"},
    {"LXQt", "lxqt-config-locale", nullptr},
};

std::span<const Candidate> candidates(ControlPanel::Page page)
{
    if (page == ControlPanel::Page::Regional)
        return kRegionalPages;
    return kTimeZonePages;
}

ControlPanel::Command command(const Candidate& candidate)
{
    ControlPanel::Command command{QString::fromUtf8(candidate.program), {}};
    if (candidate.argument)
        command.arguments << QString::fromUtf8(candidate.argument);
    return command;
}

QString desktopName(QString name)
{
    if (name.startsWith(QLatin1String("X-"), Qt::CaseInsensitive))
        name.remove(0, 2);
    return name;
}

} // namespace

QList<ControlPanel::Command> ControlPanel::commandsFor(Page page, const QString& currentDesktop)
{
    const std::span<const Candidate> table = candidates(page);
    std::vector<bool> taken(table.size(), false);
    QList<Command> ordered;
    for (const QString& name : currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString desktop = desktopName(name.trimmed());
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (!taken[i] && desktop.compare(QLatin1String(table[i].desktop), Qt::CaseInsensitive) == 0) {
                taken[i] = true;
                ordered << command(table[i]);
            }
        }
    }
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!taken[i])
            ordered << command(table[i]);
    }
    return ordered;
}

bool ControlPanel::startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

ControlPanel::ControlPanel(Starter starter, QString currentDesktop)
    : m_starter(std::move(starter))
    , m_currentDesktop(std::move(currentDesktop))
{
}

bool ControlPanel::open(Page page) const
{
    for (const Command& command : commandsFor(page, m_currentDesktop)) {
        if (m_starter(command.program, command.arguments)) {
            qCInfo(lcUi) << "settings page started:" << command.program << command.arguments;
            return true;
        }
    }
    qCInfo(lcUi) << "no settings page could be started for desktop" << m_currentDesktop;
    return false;
}
