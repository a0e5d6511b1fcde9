// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Opens the desktop's own settings pages for the PC's date and time zone and
// for the regional formats. Desktops differ, so each page has a list of
// commands, the current desktop's first; the first one that starts wins.
// The pages are separate programs that Korvel neither waits for nor closes,
// and when none starts the user sees nothing: there is nothing Korvel could
// do about it.
class ControlPanel
{
public:
    enum class Page { TimeZone, Regional };

    struct Command
    {
        QString program;
        QStringList arguments;
        bool operator==(const Command&) const = default;
    };

    // Starts a program without waiting; false when it could not be started.
    using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;

    // The commands for `page`: those of the desktops named in `currentDesktop`
    // (XDG_CURRENT_DESKTOP: names separated by colons, most specific first)
    // in that order, then all others in the table's order.
    static QList<Command> commandsFor(Page page, const QString& currentDesktop);

    static bool startDetached(const QString& program, const QStringList& arguments);

    explicit ControlPanel(Starter starter = startDetached,
                          QString currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP"));

    // Starts the first command for `page` that starts; true when one did.
    bool open(Page page) const;

private:
    Starter m_starter;
    QString m_currentDesktop;
};
