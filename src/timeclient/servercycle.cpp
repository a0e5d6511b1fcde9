// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/servercycle.h"

#include "timeclient/timeclientlog.h"

namespace ServerCycle {

namespace {
constexpr qsizetype kMaxEntries = 4;

std::optional<quint16> parsePort(QStringView text)
{
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port < 1 || port > 65535)
        return std::nullopt;
    return quint16(port);
}

// Where a ":port" suffix starts: after the closing bracket of an IPv6
// literal, else at the only colon; -1 when there is none.
qsizetype portColon(const QString& entry)
{
    if (entry.startsWith(u'[')) {
        const qsizetype closing = entry.indexOf(u']');
        return closing > 0 && entry.size() > closing + 1 && entry.at(closing + 1) == u':' ? closing + 1 : -1;
    }
    return entry.count(u':') == 1 ? entry.indexOf(u':') : -1;
}

bool isValidEntry(const QString& entry)
{
    if (entry.isEmpty())
        return false;
    if (entry.startsWith(u'[')) {
        const qsizetype closing = entry.indexOf(u']');
        if (closing < 2 || (closing + 1 < entry.size() && portColon(entry) < 0))
            return false;
    } else if (entry.count(u':') > 1) {
        return false;
    }
    const qsizetype colon = portColon(entry);
    return colon < 0 || (colon > 0 && parsePort(QStringView(entry).mid(colon + 1)).has_value());
}
} // namespace

QStringList builtIn()
{
    // NIST's Internet Time Service answers the Time Protocol on port 37 at
    // these sites (Gaithersburg, Fort Collins, Boulder, University of
    // Colorado). NIST asks clients to query a server at most once every
    // 4 seconds; Korvel queries once per update, a few hours apart.
    return {QStringLiteral("time-a-g.nist.gov"), QStringLiteral("time-b-wwv.nist.gov"),
            QStringLiteral("time-c-b.nist.gov"), QStringLiteral("utcnist.colorado.edu")};
}

QStringList parse(const QString& text)
{
    QStringList valid;
    QStringList dropped;
    for (const QString& raw : text.split(u',')) {
        const QString entry = raw.trimmed();
        // A second copy would be asked twice in one cycle and keep the others out.
        if (isValidEntry(entry) && !valid.contains(entry) && valid.size() < kMaxEntries)
            valid.append(entry);
        else
            dropped.append(QLatin1Char('"') + entry + QLatin1Char('"'));
    }
    if (!dropped.isEmpty())
        qCWarning(lcTimeClient).noquote()
            << kEnvironmentVariable << "ignores" << dropped.join(QStringLiteral(", "))
            << "(entries are host, host:port or [IPv6]:port with a port of 1-65535, each once, at most four)";
    return valid;
}

QStringList fromEnvironment()
{
    if (!qEnvironmentVariableIsSet(kEnvironmentVariable))
        return builtIn();
    const QStringList entries = parse(qEnvironmentVariable(kEnvironmentVariable));
    return entries.isEmpty() ? builtIn() : entries;
}

Entry split(const QString& entry)
{
    const qsizetype colon = portColon(entry);
    const std::optional<quint16> port =
        colon > 0 ? parsePort(QStringView(entry).mid(colon + 1)) : std::optional<quint16>();
    QString name = port ? entry.left(colon) : entry;
    if (name.size() > 2 && name.startsWith(u'[') && name.endsWith(u']'))
        name = name.mid(1, name.size() - 2);
    return {name, port};
}

QString successor(const QStringList& cycle, const QString& host)
{
    const qsizetype index = cycle.indexOf(host);
    if (index < 0)
        return host;
    return cycle.at((index + 1) % cycle.size());
}

} // namespace ServerCycle
