// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcess>

#include <gtest/gtest.h>

// Changes to this process's environment for the program; a null value removes the name.
using EnvironmentChanges = QList<std::pair<const char*, QString>>;

inline QProcessEnvironment environmentWith(const EnvironmentChanges& changes)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : changes) {
        value.isNull() ? environment.remove(name) : environment.insert(name, value);
    }
    // Korvel's hand-over socket goes with the test's private settings,
    // unless the test gives the program a runtime folder of its own.
    if (environment.value("XDG_RUNTIME_DIR") == QProcessEnvironment::systemEnvironment().value("XDG_RUNTIME_DIR")
        && !environment.value("XDG_CONFIG_HOME").isEmpty())
        environment.insert("XDG_RUNTIME_DIR", environment.value("XDG_CONFIG_HOME"));
    return environment;
}

// Starts the built program.
inline void startKorvel(QProcess& process, const QStringList& arguments, const EnvironmentChanges& changes)
{
    process.setProcessEnvironment(environmentWith(changes));
    process.start(KORVEL_BINARY, arguments);
}

// Reads the program's standard error into `seen` until it holds `text`.
inline bool waitForError(QProcess& process, QByteArray& seen, const QByteArray& text, int msecs = 20'000)
{
    process.setReadChannel(QProcess::StandardError);
    // Waiting for the program's end may have read its output already.
    seen += process.readAll();
    while (!seen.contains(text) && process.waitForReadyRead(msecs))
        seen += process.readAll();
    return seen.contains(text);
}

struct ProgramRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the built program to its end.
inline ProgramRun runKorvel(const QStringList& arguments, const EnvironmentChanges& changes = {})
{
    QProcess process;
    startKorvel(process, arguments, changes);
    EXPECT_TRUE(process.waitForFinished(30'000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}
