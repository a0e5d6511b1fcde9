#include "app/optionsalvage.h"

#include <QList>

QHash<QString, QString> OptionSalvage::readGroup(const QByteArray& bytes, const QString& group)
{
    const QString header = QLatin1Char('[') + group + QLatin1Char(']');
    QHash<QString, QString> values;
    bool inGroup = false;
    for (const QByteArray& rawLine : bytes.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(QLatin1Char('[')) || line.endsWith(header)) {
            // Garbage glued to the front of a header still leaves the header.
            inGroup = line.endsWith(header);
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inGroup || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        if (!key.isEmpty() && !values.contains(key))
            values.insert(key, value);
    }
    return values;
}
