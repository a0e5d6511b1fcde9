// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/commandlinecommand.h"

#include <QString>
#include <QTextStream>

#include <cstring>

namespace {
QString helpText()
{
    return QStringLiteral(
        "Usage: korvel [Load 1] [--query [HOST[:PORT]]] [--status] [--history [--csv]] [--help] [--version]\n"
        "\n"
        "Keeps this PC's clock right with the Time Protocol (RFC 868, TCP port 37).\n"
        "\n"
        "  (no arguments)          open the Korvel Time & Date Setter window\n"
        "  Load 1                  unattended start: start hidden in the tray, update\n"
        "                          when due, and leave when there is nothing to do\n"
        "  --query [HOST[:PORT]]   ask a time server once and print the UTC time, the\n"
        "                          lag and the server that answered; never sets the\n"
        "                          clock. Without HOST the first server of the cycle.\n"
        "  --status                say, without changing anything, what an update\n"
        "                          would find: the connection, how the clock can be\n"
        "                          set, the time servers, the options, the next update\n"
        "  --history [--csv]       list every recorded update and check with the offset\n"
        "                          it found, and how fast the clock drifts; with --csv\n"
        "                          the history file as it is\n"
        "  --help                  show this help\n"
        "  --version               show the version\n"
        "\n"
        "Environment:\n"
        "  KORVEL_TIME_SERVERS     one to four servers, comma-separated, each host,\n"
        "                          host:port or [IPv6]:port, that replace the built-in\n"
        "                          server cycle\n"
        "  KORVEL_TEST_SITES       comma-separated web addresses that replace the two\n"
        "                          sites opened to check a LAN or proxy connection\n");
}

bool looksLikeOption(const char* argument)
{
    return argument[0] == '-';
}

bool isCommand(const char* argument)
{
    for (const char* command : {"--help", "-h", "--version", "--query", "--status", "--history"}) {
        if (std::strcmp(argument, command) == 0)
            return true;
    }
    return false;
}

// The first argument that looks like an option Korvel does not take there:
// a command anywhere but first, or anything unknown. Other words are left
// alone, so "x Load 1" stays an unattended start.
const char* unknownOption(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const bool historyAsCsv = i == 2 && std::strcmp(argv[1], "--history") == 0 && std::strcmp(argv[i], "--csv") == 0;
        if (looksLikeOption(argv[i]) && !(i == 1 && isCommand(argv[i])) && !historyAsCsv)
            return argv[i];
    }
    return nullptr;
}

} // namespace

std::optional<int> runCommandLineCommand(int argc, char** argv)
{
    if (argc < 2)
        return std::nullopt;
    // Opening the window instead would set the clock when an update is due.
    if (const char* unknown = unknownOption(argc, argv)) {
        QTextStream(stderr) << "korvel: unknown option " << unknown << "\n"
                            << helpText().section(u'\n', 0, 0) << "\n"
                            << "Try 'korvel --help' for more.\n";
        return 2;
    }
    const char* command = argv[1];
    if (std::strcmp(command, "--help") == 0 || std::strcmp(command, "-h") == 0) {
        QTextStream(stdout) << helpText();
        return 0;
    }
    if (std::strcmp(command, "--version") == 0) {
        QTextStream(stdout) << "korvel " << KORVEL_VERSION << Qt::endl;
        return 0;
    }
    return std::nullopt;
}

bool asksForWindowProgramCommand(int argc, char** argv)
{
    return argc >= 2 && (std::strcmp(argv[1], "--query") == 0 || std::strcmp(argv[1], "--status") == 0);
}
