#include "ui/helpfilepath.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(HelpFilePathTest, JoinsFolderAndFileWithOneSlash)
{
    const struct {
        const char* folder;
        const char* file;
    } rows[] = {
        {"/opt/korvel", "/opt/korvel/KORVEL.HLP"},
        {"/opt/korvel/", "/opt/korvel/KORVEL.HLP"},
        {"/", "/KORVEL.HLP"},
        {"/ ", "/ KORVEL.HLP"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(HelpFilePath::inFolder(QString::fromUtf8(row.folder)), QString::fromUtf8(row.file)) << row.folder;
}

TEST(HelpFilePathTest, LooksBesideTheProgramFirstThenInTheDataFolder)
{
    QTemporaryDir program;
    QTemporaryDir data;
    const QString besideProgram = program.path() + QStringLiteral("/KORVEL.HLP");
    const QString installed = data.path() + QStringLiteral("/KORVEL.HLP");

    EXPECT_EQ(HelpFilePath::locate(program.path(), data.path()), besideProgram) << "named though missing";
    ASSERT_TRUE(QFile(installed).open(QIODevice::WriteOnly));
    EXPECT_EQ(HelpFilePath::locate(program.path(), data.path()), installed);
    ASSERT_TRUE(QFile(besideProgram).open(QIODevice::WriteOnly));
    EXPECT_EQ(HelpFilePath::locate(program.path(), data.path()), besideProgram);
}

} // namespace
