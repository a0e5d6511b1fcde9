// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "options/optionstore.h"

#include "options/optionfilereading.h"
#include "options/optionsalvage.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace {
const QString kGroup = QStringLiteral("Option");

QString keyPath(const OptionKey& key)
{
    return kGroup + QLatin1Char('/') + QLatin1String(key.name);
}
} // namespace

OptionStore::OptionStore()
    : OptionStore(userFile())
{
}

OptionStore::OptionStore(const QString& iniPath)
    : m_path(iniPath)
{
    if (iniPath.isEmpty()) {
        m_problem = QCoreApplication::translate("Options", "Options cannot be kept: neither XDG_CONFIG_HOME nor HOME names a folder; the "
                                   "defaults apply");
        return;
    }
    const OptionFileReading::Reading file = OptionFileReading::read(iniPath);
    if (!file.damage.isEmpty()) {
        m_problem = QCoreApplication::translate("Options", "Options not read: cannot read %1 (%2); the defaults apply and the file is left "
                                   "as it is")
                        .arg(iniPath, file.damage);
        return;
    }
    m_settings = std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
    salvageLines(file.bytes);
}

OptionStore::~OptionStore() = default;

QString OptionStore::userFile()
{
    // A relative XDG_CONFIG_HOME is to be ignored; without HOME there is no
    // folder of the user's to fall back on (Qt would take "/").
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(config)) {
        const QString home = qEnvironmentVariable("HOME");
        if (!QDir::isAbsolutePath(home))
            return {};
        config = home + QStringLiteral("/.config");
    }
    return QDir::cleanPath(config + QStringLiteral("/Korvel/Korvel.ini"));
}

QString OptionStore::read(const OptionKey& key) const
{
    if (!m_settings)
        return m_memory.value(QLatin1String(key.name), QLatin1String(key.defaultText));
    const QString text = storedText(key);
    m_known.insert(QLatin1String(key.name), text);
    return text;
}

QString OptionStore::storedText(const OptionKey& key) const
{
    const QVariant value = m_settings->value(keyPath(key));
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return value.toString();
    case QMetaType::QStringList:
        // An unquoted comma in a hand-edited file splits the text into a list.
        return value.toStringList().join(QLatin1Char(','));
    case QMetaType::UnknownType:
        // Only a key the regular reader missed is looked for in the lines; a
        // value it found but could not make out (an unknown "@Variant") is
        // no text, and a rewrite would not keep it either.
        if (m_settings->contains(keyPath(key)))
            return QLatin1String(key.defaultText);
        return m_salvaged.value(QLatin1String(key.name), QLatin1String(key.defaultText));
    default:
        // A typed value that only another program writes.
        return QLatin1String(key.defaultText);
    }
}

void OptionStore::write(const OptionKey& key, const QString& text)
{
    if (!m_settings) {
        m_memory.insert(QLatin1String(key.name), text);
        return;
    }
    m_settings->setValue(keyPath(key), text);
    m_known.insert(QLatin1String(key.name), text);
}

bool OptionStore::editedMeanwhile(const OptionKey& key) const
{
    const auto known = m_known.constFind(QLatin1String(key.name));
    return m_settings && known != m_known.cend() && contains(key) && storedText(key) != *known;
}

bool OptionStore::contains(const OptionKey& key) const
{
    if (!m_settings)
        return m_memory.contains(QLatin1String(key.name));
    return m_settings->contains(keyPath(key)) || m_salvaged.contains(QLatin1String(key.name));
}

QString OptionStore::sync()
{
    if (!m_settings)
        return {};
    // Replaced meanwhile by something that is not options: not written over.
    if (const QString damage = OptionFileReading::read(m_path).damage; !damage.isEmpty())
        return QCoreApplication::translate("Options", "Options not saved: %1 is no longer a settings file (%2)").arg(m_path, damage);
    // The rewrite replaces the damaged file; what was saved from it goes along.
    for (auto it = m_salvaged.cbegin(); it != m_salvaged.cend(); ++it) {
        // A slash in a salvaged key would make it the path of another key.
        if (it.key().contains(QLatin1Char('/')) || it.key().contains(QLatin1Char('\\')))
            continue;
        if (!m_settings->contains(kGroup + QLatin1Char('/') + it.key()))
            m_settings->setValue(kGroup + QLatin1Char('/') + it.key(), it.value());
    }
    m_salvaged.clear();
    // Reads the file again and writes only the keys written since.
    m_settings->sync();
    // A format error only ever comes from reading a damaged file, and stays
    // set; the rewrite itself replaces the file with a clean one.
    if (m_settings->status() == QSettings::AccessError || !m_settings->isWritable())
        return QCoreApplication::translate("Options", "Options not saved: cannot write %1").arg(fileName());
    return {};
}

void OptionStore::salvageLines(const QByteArray& bytes)
{
    // QSettings looks a key up in the one section whose name sorts closest
    // below it, and so misses a key under [Option] when a header such as
    // "[Option\x" (a subgroup) sorts in between, or when a line elsewhere
    // names it ("Option\Beep=1" above every header). A rewrite reads every
    // section and would bring such a value back; reading them all now makes
    // the file read as it will be rewritten.
    m_settings->allKeys();
    // Not every damage is reported as one, so the lines are always read;
    // they only count for keys the regular reader did not find.
    m_salvaged = OptionSalvage::readGroup(bytes, kGroup);
}

QString OptionStore::readProblem() const
{
    return m_problem;
}

QString OptionStore::fileName() const
{
    return m_path;
}
