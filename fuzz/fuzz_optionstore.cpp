// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings file as a crash, a full disk or a hand edit can leave it: the
// input is the whole file. Every key reads as a text, and the rewrite that
// follows a damaged "LastUpdate" keeps every other value as it was read.
#include "fuzzsupport.h"

#include "options/optionstore.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>

// Qt reads a stored "@Variant" with QDataStream, which first reserves room
// for as many elements as the data claims. When that allocation fails Qt
// gives a damaged value, as a release build of Korvel sees it; so a refused
// huge allocation is no finding here. Memory really used stays limited by
// -rss_limit_mb.
extern "C" const char* __asan_default_options()
{
    return "allocator_may_return_null=1:max_allocation_size_mb=2048";
}

namespace {
// Removed again when the run ends; after a finding it stays with its files.
const QTemporaryDir& folder()
{
    // Every input is saved, and a save waits for the disk; memory does not.
    const QString shared = QStringLiteral("/dev/shm");
    static const QTemporaryDir dir(QFileInfo(shared).isWritable() ? shared + QStringLiteral("/korvel-fuzz-XXXXXX")
                                                                 : QString());
    FuzzSupport::check(dir.isValid());
    return dir;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A new name for every input: QSettings keeps files it read by name.
    static quint64 inputs = 0;
    const QString path = folder().filePath(QStringLiteral("Korvel%1.ini").arg(++inputs));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        return 0;
    file.close();

    const QString lastUpdate = QStringLiteral("1/2/2026 3:04:05 AM");
    QStringList before;
    bool saved = false;
    {
        OptionStore store(path);
        for (const OptionKey& key : Option::all)
            before.append(store.read(key));
        store.write(Option::LastUpdate, lastUpdate);
        saved = store.sync().isEmpty();
    }
    if (saved) {
        const OptionStore store(path);
        for (qsizetype i = 0; i < before.size(); ++i) {
            const OptionKey& key = Option::all[i];
            const bool rewritten = qstrcmp(key.name, Option::LastUpdate.name) == 0;
            FuzzSupport::check(store.read(key) == (rewritten ? lastUpdate : before.at(i)));
        }
    }
    QFile::remove(path);
    return 0;
}
