#include "optionfile.h"

#include <QFile>

OptionFile::OptionFile() = default;

QString OptionFile::path() const
{
    return m_dir.filePath(QStringLiteral("Korvel-%1.ini").arg(m_generation));
}

void OptionFile::write(const QByteArray& bytes) const
{
    ++m_generation;
    QFile file(path());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QByteArray OptionFile::bytes() const
{
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool OptionFile::exists() const
{
    return QFile::exists(path());
}
