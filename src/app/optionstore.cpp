#include "app/optionstore.h"

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
}

OptionStore::OptionStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

OptionStore::~OptionStore() = default;

QString OptionStore::read(const OptionKey& key) const
{
    const QVariant value = m_settings->value(keyPath(key));
    if (!value.isValid())
        return QLatin1String(key.defaultText);
    // An unquoted comma in a hand-edited file splits the text into a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    if (!value.canConvert<QString>())
        return QLatin1String(key.defaultText);
    return value.toString();
}

void OptionStore::write(const OptionKey& key, const QString& text)
{
    m_settings->setValue(keyPath(key), text);
}

QString OptionStore::sync()
{
    m_settings->sync();
    switch (m_settings->status()) {
    case QSettings::NoError:
        return {};
    case QSettings::AccessError:
        return QStringLiteral("Options not saved: cannot write %1").arg(fileName());
    case QSettings::FormatError:
        return QStringLiteral("Options not saved: %1 is damaged").arg(fileName());
    }
    return {};
}

QString OptionStore::fileName() const
{
    return m_settings->fileName();
}
