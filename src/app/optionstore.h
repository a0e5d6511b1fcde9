// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/optionkey.h"

#include <QHash>
#include <QString>

#include <memory>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

// The user's stored options: an INI file (organisation and application
// "Korvel", group "Option") holding every value as text.
class OptionStore
{
public:
    // The current user's store.
    OptionStore();
    // A store in the given file (tests, other profiles).
    explicit OptionStore(const QString& iniPath);
    ~OptionStore();

    OptionStore(const OptionStore&) = delete;
    OptionStore& operator=(const OptionStore&) = delete;

    // The stored text, or the key's default when the key is missing or holds
    // something that is not a text.
    QString read(const OptionKey& key) const;
    // Writes a key whose text differs from the one last read or written, so
    // that a copy of an unchanged option never replaces a newer value on disk.
    void write(const OptionKey& key, const QString& text);

    // Puts pending writes on disk (atomically). Returns a message for the
    // user when they did not get there, an empty text otherwise.
    QString sync();

    QString fileName() const;
    // A message for the user when the file is there but could not be read
    // (the defaults then apply and the file is not written over); empty
    // otherwise.
    QString readProblem() const;

private:
    QString storedText(const OptionKey& key) const;
    void salvageLines();

    std::unique_ptr<QSettings> m_settings;
    // Values read line by line, for keys a damaged file hid from QSettings.
    QHash<QString, QString> m_salvaged;
    bool m_unreadable = false;
    // The text each key had when it was last read or written.
    mutable QHash<QString, QString> m_known;
};
