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
    void write(const OptionKey& key, const QString& text);

    // Puts pending writes on disk (atomically). Returns a message for the
    // user when they did not get there, an empty text otherwise.
    QString sync();

    QString fileName() const;

private:
    void salvageLines();

    std::unique_ptr<QSettings> m_settings;
    // Values read line by line, for keys a damaged file hid from QSettings.
    QHash<QString, QString> m_salvaged;
};
