// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>
#include <QTemporaryDir>

// A settings file in a private temporary folder, written and read as raw
// bytes. Every write starts a new file name: QSettings caches what it read
// per path and may miss a rewrite of the same size within one clock tick.
class OptionFile
{
public:
    QString path() const { return m_dir.filePath(QStringLiteral("Korvel-%1.ini").arg(m_generation)); }
    bool exists() const { return QFile::exists(path()); }

    void write(const QByteArray& bytes)
    {
        ++m_generation;
        QFile file(path());
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    QByteArray bytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
    int m_generation = 0;
};
