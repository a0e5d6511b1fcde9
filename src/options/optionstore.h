// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "options/optionkey.h"

#include <QHash>
#include <QString>

#include <memory>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

// The user's stored options: an INI file (organisation and application
// "Korvel", group "Option") holding every value as text. A file that cannot
// be read as options, or no place for one, leaves the options in memory:
// said once at start, defaults kept, nothing written over.
class OptionStore
{
public:
    // The current user's store, in userFile().
    OptionStore();
    // A store in the given file (tests, other profiles); none when empty.
    explicit OptionStore(const QString& iniPath);
    ~OptionStore();

    OptionStore(const OptionStore&) = delete;
    OptionStore& operator=(const OptionStore&) = delete;

    // Where the XDG rules put the user's file: $XDG_CONFIG_HOME when it is
    // an absolute path, else $HOME/.config; empty when neither names one.
    static QString userFile();

    // The stored text, or the key's default when the key is missing or holds
    // something that is not a text.
    QString read(const OptionKey& key) const;
    void write(const OptionKey& key, const QString& text);
    // Whether the store holds the key (as of the last read or sync).
    bool contains(const OptionKey& key) const;
    // Whether the file holds another text for the key (as of the last sync)
    // than the one last read or written: someone edited it meanwhile.
    bool editedMeanwhile(const OptionKey& key) const;

    // Reads the file again and puts pending writes on disk (atomically).
    // Returns a message for the user when they did not get there, an empty
    // text otherwise (also when they never go to disk, said at start).
    QString sync();

    QString fileName() const;
    // A message for the user when the options are not read from a file and
    // not written to one; empty otherwise.
    QString readProblem() const;

private:
    QString storedText(const OptionKey& key) const;
    void salvageLines(const QByteArray& bytes);

    QString m_path;
    // None while the options live in m_memory.
    std::unique_ptr<QSettings> m_settings;
    QHash<QString, QString> m_memory;
    // Values read line by line, for keys a damaged file hid from QSettings.
    QHash<QString, QString> m_salvaged;
    QString m_problem;
    // The text each key had when it was last read or written.
    mutable QHash<QString, QString> m_known;
};
