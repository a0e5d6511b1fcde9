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

bool isValidEntry(const QString& entry)
{
    if (entry.isEmpty() || entry.count(u':') > 1)
        return false;
    const qsizetype colon = entry.indexOf(u':');
    if (colon < 0)
        return true;
    return colon > 0 && parsePort(QStringView(entry).mid(colon + 1)).has_value();
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
        if (isValidEntry(entry) && valid.size() < kMaxEntries)
            valid.append(entry);
        else
            dropped.append(QLatin1Char('"') + entry + QLatin1Char('"'));
    }
    if (!dropped.isEmpty())
        qCWarning(lcTimeClient).noquote()
            << kEnvironmentVariable << "ignores" << dropped.join(QStringLiteral(", "))
            << "(entries are host or host:port with a port of 1-65535, at most four)";
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
    const qsizetype colon = entry.indexOf(u':');
    if (colon > 0 && entry.count(u':') == 1) {
        if (const auto port = parsePort(QStringView(entry).mid(colon + 1)))
            return {entry.left(colon), port};
    }
    return {entry, std::nullopt};
}

QString successor(const QStringList& cycle, const QString& host)
{
    const qsizetype index = cycle.indexOf(host);
    if (index < 0)
        return host;
    return cycle.at((index + 1) % cycle.size());
}

} // namespace ServerCycle
