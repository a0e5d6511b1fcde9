#pragma once

#include <QProcess>

#include <gtest/gtest.h>

// Changes to this process's environment for the program; a null value removes the name.
using EnvironmentChanges = QList<std::pair<const char*, QString>>;

inline QProcessEnvironment environmentWith(const EnvironmentChanges& changes)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : changes)
        value.isNull() ? environment.remove(name) : environment.insert(name, value);
    return environment;
}

// Starts the built program.
inline void startKorvel(QProcess& process, const QStringList& arguments, const EnvironmentChanges& changes)
{
    process.setProcessEnvironment(environmentWith(changes));
    process.start(KORVEL_BINARY, arguments);
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
