// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/updatehistory.h"
#include "support/qtprinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QDateTime kTime(QDate(2030, 6, 15), QTime(12, 0, 10), Qt::UTC);

HistoryRecord record(int minute, HistoryRecord::Outcome outcome = HistoryRecord::Outcome::Set)
{
    return {.utc = kTime.addSecs(60LL * minute), .outcome = outcome, .reason = {}, .offsetUsec = -12'345 - minute,
            .uncertaintyUsec = 8'000, .servers = {QStringLiteral("time-a.example:37"), QStringLiteral("[::1]:3737")},
            .lagSeconds = 0.125, .askedByUser = minute % 2 == 0};
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes `bytes` at `path`, making the folder first.
void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

class HistoryFile : public testing::Test
{
protected:
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("state/korvel/history.csv"));
    UpdateHistory history{path};
};

} // namespace

TEST_F(HistoryFile, AMissingHistoryIsMadeInAFolderOfTheUsersOwnAndReadsBackWhole)
{
    HistoryRecord odd = record(1, HistoryRecord::Outcome::NotSet);
    odd.reason = QStringLiteral("the \"time service\", it said,\nrefused");
    odd.lagSeconds.reset();
    HistoryRecord unmeasured = record(2, HistoryRecord::Outcome::NoAnswer);
    unmeasured.offsetUsec.reset();
    unmeasured.servers.clear();
    for (const HistoryRecord& each : {record(0), odd, unmeasured})
        EXPECT_TRUE(history.append(each).isEmpty());

    struct stat folderStatus {};
    ASSERT_EQ(::stat(QFile::encodeName(QFileInfo(path).path()).constData(), &folderStatus), 0);
    EXPECT_EQ(folderStatus.st_mode & 0777, 0700u);
    const QByteArrayList lines = bytesOf(path).split('\n');
    EXPECT_EQ(lines.first(), "time_utc,outcome,reason,offset_s,uncertainty_s,servers,lag_s,asked_by");
    EXPECT_EQ(lines.at(1), "2030-06-15T12:00:10Z,set,,-0.012345,0.008000,time-a.example:37 [::1]:3737,0.125,user");
    const UpdateHistory::Reading reading = history.read();
    ASSERT_EQ(reading.records.size(), 3);
    EXPECT_EQ(reading.damagedLines, 0);
    const HistoryRecord& back = reading.records.at(1);
    EXPECT_EQ(back.reason, QStringLiteral("the \"time service\", it said, refused")) << "one record a line";
    EXPECT_EQ(back.outcome, HistoryRecord::Outcome::NotSet);
    EXPECT_EQ(back.offsetUsec, odd.offsetUsec);
    EXPECT_EQ(back.servers, odd.servers);
    EXPECT_FALSE(back.lagSeconds.has_value());
    EXPECT_FALSE(back.askedByUser);
    EXPECT_EQ(reading.records.at(2).outcome, HistoryRecord::Outcome::NoAnswer);
    EXPECT_FALSE(reading.records.at(2).offsetUsec.has_value());
    EXPECT_EQ(history.appended().size(), 3);
}

TEST_F(HistoryFile, DamagedLinesAreSkippedAndALineCutShortStaysApartFromTheNextRecord)
{
    const QByteArray good = record(0).toCsv();
    write(path, HistoryRecord::header() + '\n' + good + "\n"
                    "garbage\n"
                    "2030-06-15T12:00:10Z,set,,-0.01,0.008,a,0.1\n"             // a column short
                    "yesterday,set,,-0.01,0.008,a,0.1,user\n"                    // no time
                    "2030-06-15T12:00:10Z,rebooted,,-0.01,0.008,a,0.1,user\n"    // no outcome
                    "2030-06-15T12:00:10Z,set,\"open,-0.01,0.008,a,0.1,user\n"   // a quote left open
                    "2030-06-15T12:00:10Z,set,,nan,0.008,a,0.1,user\n"           // not a number
                    "2030-06-15T12:00:10Z,set,,-0.01,-0.008,a,0.1,user\n"        // a negative uncertainty
                    "\n"
                    + good.left(25));                                             // cut short by a crash
    EXPECT_EQ(history.read().records.size(), 1);
    EXPECT_EQ(history.read().damagedLines, 8);

    EXPECT_TRUE(history.append(record(5)).isEmpty());
    const UpdateHistory::Reading reading = history.read();
    ASSERT_EQ(reading.records.size(), 2);
    EXPECT_EQ(reading.records.last().utc, record(5).utc);
    EXPECT_EQ(reading.damagedLines, 8);
}

TEST_F(HistoryFile, AnEmptyAHeaderlessAndAFullHistoryAreWrittenAsAHistory)
{
    write(path, {});
    history.append(record(0));
    EXPECT_EQ(bytesOf(path), HistoryRecord::header() + '\n' + record(0).toCsv() + '\n');

    write(path, record(0).toCsv() + '\n');
    history.append(record(1));
    EXPECT_EQ(bytesOf(path), HistoryRecord::header() + '\n' + record(0).toCsv() + '\n' + record(1).toCsv() + '\n');

    QByteArray full = HistoryRecord::header() + '\n';
    for (int i = 0; i < UpdateHistory::kMostRecords; ++i)
        full += record(i).toCsv() + '\n';
    write(path, full);
    EXPECT_TRUE(history.append(record(UpdateHistory::kMostRecords)).isEmpty());
    const QList<HistoryRecord> kept = history.read().records;
    ASSERT_EQ(kept.size(), UpdateHistory::kTrimmedRecords);
    EXPECT_EQ(kept.first().utc, record(UpdateHistory::kMostRecords + 1 - UpdateHistory::kTrimmedRecords).utc)
        << "the oldest go";
    EXPECT_EQ(kept.last().utc, record(UpdateHistory::kMostRecords).utc);
    EXPECT_LT(QFileInfo(path).size(), 1024 * 1024);
}

TEST_F(HistoryFile, AHistoryThatCannotBeReadIsKeptAsideAndANewOneBegun)
{
    for (const char* problem : {"larger than 1 MiB", "not a plain file"}) {
        SCOPED_TRACE(problem);
        write(path, HistoryRecord::header() + '\n' + QByteArray(1024 * 1024, 'x'));
        // Opened, a FIFO would wait for a writer; it is moved, never opened.
        if (QByteArrayView(problem) == "not a plain file") {
            ASSERT_TRUE(QFile::remove(path) && QFile::remove(path + QStringLiteral(".old"))
                        && ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        }
        const QStringList said = history.append(record(0));
        ASSERT_EQ(said.size(), 1);
        EXPECT_TRUE(said.first().contains(QStringLiteral("could not be read (%1)").arg(QLatin1String(problem))))
            << said.first().toStdString();
        EXPECT_TRUE(QFileInfo::exists(path + QStringLiteral(".old")));
        EXPECT_EQ(history.read().records.size(), 1);
        EXPECT_TRUE(history.read().problem.isEmpty());
    }
}

TEST_F(HistoryFile, AHistoryThatCannotBeWrittenIsSaidOnceUntilItCanAgain)
{
    // Where the folder should be, a file: not even root can write there.
    write(QFileInfo(path).path(), "in the way");
    const QStringList first = history.append(record(0));
    ASSERT_EQ(first.size(), 1);
    EXPECT_TRUE(first.first().startsWith(QStringLiteral("Status: The update history cannot be written (")))
        << first.first().toStdString();
    EXPECT_TRUE(history.append(record(1)).isEmpty()) << "said once";
    EXPECT_EQ(history.appended().size(), 1) << "the drift still sees this update";

    QFile::remove(QFileInfo(path).path());
    EXPECT_TRUE(history.append(record(2)).isEmpty());
    QDir(QFileInfo(path).path()).removeRecursively();
    write(QFileInfo(path).path(), "in the way again");
    EXPECT_EQ(history.append(record(3)).size(), 1) << "a new failure after a success is said again";
}

TEST(HistoryPlace, TheStateFolderIsTakenOnlyWhereTheXdgRulesPutIt)
{
    const QByteArray stateBefore = qgetenv("XDG_STATE_HOME"), homeBefore = qgetenv("HOME");
    const std::tuple<const char*, const char*, const char*> cases[] = { // state home, home, history file
        {"/var/tmp/state", "/home/me", "/var/tmp/state/korvel/history.csv"},
        {"relative/state", "/home/me", "/home/me/.local/state/korvel/history.csv"},
        {"", "/home/me/", "/home/me/.local/state/korvel/history.csv"},
        {"", "", ""},
    };
    for (const auto& [stateHome, home, file] : cases) {
        qputenv("XDG_STATE_HOME", stateHome);
        qputenv("HOME", home);
        EXPECT_EQ(UpdateHistory::userFile(), QString::fromLatin1(file)) << stateHome << " " << home;
    }
    qputenv("XDG_STATE_HOME", stateBefore);
    qputenv("HOME", homeBefore);
    EXPECT_EQ(UpdateHistory(QString()).append(record(0)).size(), 1) << "no place for it is said too";
}
