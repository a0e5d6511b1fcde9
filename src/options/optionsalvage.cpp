// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "options/optionsalvage.h"

#include <QList>
#include <QStringList>

QHash<QString, QString> OptionSalvage::readGroup(const QByteArray& bytes, const QString& group)
{
    const QString header = QLatin1Char('[') + group + QLatin1Char(']');
    QHash<QString, QString> values;
    QStringList lines;
    for (const QByteArray& rawLine : bytes.split('\n'))
        lines.append(QString::fromUtf8(rawLine).trimmed());
    // Garbage glued to the front of a header still leaves the header, but
    // only in a file without the header on a line of its own: a rewrite
    // writes it so, and keeps a glued line of another group as a value, with
    // that group's keys sorted anew after it.
    const bool gluedHeadersCount = !lines.contains(header);
    bool inGroup = false;
    for (const QString& line : lines) {
        const bool bracketed = line.startsWith(QLatin1Char('['));
        if (bracketed || (gluedHeadersCount && line.endsWith(header))) {
            // The regular reader ignores what follows a header's bracket; a
            // backslash there even makes the next line part of the header.
            inGroup = line.startsWith(header) || line.endsWith(header);
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
