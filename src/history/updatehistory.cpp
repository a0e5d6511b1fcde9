// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/updatehistory.h"

#include "options/optionfilereading.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

namespace {
// Room left under the reading's limit when a full history is cut back.
constexpr qint64 kTrimmedBytes = OptionFileReading::kMostBytes * 9 / 10;

// Sources marked where they are written, so the translator sees them.
QString text(const char* source)
{
    return QCoreApplication::translate("UpdateHistory", source);
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

UpdateHistory::UpdateHistory(const QString& path)
    : m_path(path)
{
}

QString UpdateHistory::userFile()
{
    // A relative XDG_STATE_HOME is to be ignored, as the XDG rules say.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state)) {
        const QString home = qEnvironmentVariable("HOME");
        if (!QDir::isAbsolutePath(home))
            return {};
        state = home + QStringLiteral("/.local/state");
    }
    return QDir::cleanPath(state + QStringLiteral("/korvel/history.csv"));
}

UpdateHistory::Reading UpdateHistory::read() const
{
    Reading reading;
    if (m_path.isEmpty())
        return reading;
    const OptionFileReading::Reading file = OptionFileReading::read(m_path);
    reading.problem = file.damage;
    reading.bytes = file.bytes;
    const QByteArrayList lines = file.bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines.at(i);
        if (line.trimmed().isEmpty() || (i == 0 && line.trimmed() == HistoryRecord::header()))
            continue;
        if (const auto record = HistoryRecord::fromCsv(line))
            reading.records.append(*record);
        else
            ++reading.damagedLines;
    }
    return reading;
}

QStringList UpdateHistory::append(const HistoryRecord& record)
{
    QStringList said;
    Reading current = read();
    QString failure = m_path.isEmpty() ? text(QT_TRANSLATE_NOOP("UpdateHistory", "neither XDG_STATE_HOME nor HOME names a folder")) : QString();
    if (failure.isEmpty() && !current.problem.isEmpty()) {
        failure = setAside();
        if (failure.isEmpty())
            said << text(QT_TRANSLATE_NOOP("UpdateHistory", "Status: The update history %1 could not be read (%2); it is kept as %1.old and a new one "
                         "is begun."))
                        .arg(m_path, current.problem);
        current = {};
    }
    if (failure.isEmpty())
        failure = write(current, record.toCsv());
    m_appended = current.records;
    m_appended.append(record);
    if (failure.isEmpty()) {
        m_failureSaid = false;
    } else if (!std::exchange(m_failureSaid, true)) {
        said << text(QT_TRANSLATE_NOOP("UpdateHistory", "Status: The update history cannot be written (%1); updates go on without it.")).arg(failure);
    }
    return said;
}

QString UpdateHistory::setAside() const
{
    // Replaces an older one; a FIFO or a device is moved, never opened.
    const QString aside = m_path + QStringLiteral(".old");
    if (std::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(aside).constData()) != 0)
        return QStringLiteral("%1: %2").arg(m_path, systemError());
    return {};
}

QString UpdateHistory::write(const Reading& current, const QByteArray& line) const
{
    if (const QString problem = makeFolder(); !problem.isEmpty())
        return problem;
    const bool full = current.records.size() + current.damagedLines >= kMostRecords
        || current.bytes.size() + line.size() + 1 > OptionFileReading::kMostBytes;
    if (full || (!current.bytes.isEmpty() && !current.bytes.startsWith(HistoryRecord::header())))
        return rewrite(current.records, line);
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return QStringLiteral("%1: %2").arg(m_path, file.errorString());
    QByteArray bytes;
    if (current.bytes.isEmpty())
        bytes = HistoryRecord::header() + '\n';
    else if (!current.bytes.endsWith('\n'))
        bytes = "\n"; // a line cut short stays apart from the new one
    bytes += line + '\n';
    if (file.write(bytes) != bytes.size() || !file.flush())
        return QStringLiteral("%1: %2").arg(m_path, file.errorString());
    return {};
}

QString UpdateHistory::rewrite(const QList<HistoryRecord>& records, const QByteArray& line) const
{
    // The newest records that fit, and the header; written whole or not at all.
    QByteArrayList kept{line};
    qint64 bytes = line.size() + HistoryRecord::header().size() + 2;
    for (qsizetype i = records.size() - 1; i >= 0 && kept.size() < kTrimmedRecords; --i) {
        const QByteArray older = records.at(i).toCsv();
        bytes += older.size() + 1;
        if (bytes > kTrimmedBytes)
            break;
        kept.prepend(older);
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("%1: %2").arg(m_path, file.errorString());
    file.write(HistoryRecord::header() + '\n' + kept.join('\n') + '\n');
    if (!file.commit())
        return QStringLiteral("%1: %2").arg(m_path, file.errorString());
    return {};
}

QString UpdateHistory::makeFolder() const
{
    // Folders the XDG rules have Korvel make are the user's alone.
    QStringList missing;
    for (QString folder = QFileInfo(m_path).absolutePath(); !QFileInfo::exists(folder);
         folder = QFileInfo(folder).absolutePath())
        missing.prepend(folder);
    for (const QString& folder : missing) {
        if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST)
            return QStringLiteral("%1: %2").arg(folder, systemError());
    }
    return {};
}
