// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/optionstore.h"

#include "app/optionsalvage.h"

#include <QFile>
#include <QSettings>

namespace {
const QString kGroup = QStringLiteral("Option");

QString keyPath(const OptionKey& key)
{
    return kGroup + QLatin1Char('/') + QLatin1String(key.name);
}
} // namespace

OptionStore::OptionStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("Korvel"), QStringLiteral("Korvel")))
{
    salvageLines();
}

OptionStore::OptionStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
    salvageLines();
}

OptionStore::~OptionStore() = default;

QString OptionStore::read(const OptionKey& key) const
{
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
    // Writing back what was read would undo what another program (or the
    // user, by hand) put there since; a key the file lacks is written all
    // the same, so a save leaves every option in the file.
    const auto known = m_known.constFind(QLatin1String(key.name));
    if (known != m_known.cend() && *known == text && m_settings->contains(keyPath(key)))
        return;
    m_settings->setValue(keyPath(key), text);
    m_known.insert(QLatin1String(key.name), text);
}

QString OptionStore::sync()
{
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
        return QStringLiteral("Options not saved: cannot write %1").arg(fileName());
    return {};
}

void OptionStore::salvageLines()
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
    QFile file(m_settings->fileName());
    if (file.open(QIODevice::ReadOnly))
        m_salvaged = OptionSalvage::readGroup(file.readAll(), kGroup);
    else
        m_unreadable = file.exists();
}

QString OptionStore::readProblem() const
{
    if (!m_unreadable)
        return {};
    return QStringLiteral("Options not read: cannot read %1; the defaults apply").arg(fileName());
}

QString OptionStore::fileName() const
{
    return m_settings->fileName();
}
