#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A settings file in a private temporary folder, written and read as raw
// bytes. Every write starts a new file name: QSettings caches what it read
// per path and may miss a rewrite of the same size within one clock tick.
class OptionFile
{
public:
    OptionFile();

    QString path() const;
    void write(const QByteArray& bytes) const;
    QByteArray bytes() const;
    bool exists() const;

private:
    QTemporaryDir m_dir;
    mutable int m_generation = 0;
};
