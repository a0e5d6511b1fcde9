#include "ui/helpfilepath.h"

#include <QDir>
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

class HelpFileLocateTest : public testing::Test
{
protected:
    QString program() const { return programDir.path(); }
    QString data() const { return dataDir.path(); }
    static void put(const QString& folder)
    {
        QFile file(QDir(folder).filePath(QStringLiteral("KORVEL.HLP")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QTemporaryDir programDir;
    QTemporaryDir dataDir;
};

TEST_F(HelpFileLocateTest, TheProgramsFolderComesFirst)
{
    put(program());
    put(data());
    EXPECT_EQ(HelpFilePath::locate(program(), data()), program() + QStringLiteral("/KORVEL.HLP"));
}

TEST_F(HelpFileLocateTest, TheDataFolderServesWhenTheProgramsFolderHasNone)
{
    put(data());
    EXPECT_EQ(HelpFilePath::locate(program(), data()), data() + QStringLiteral("/KORVEL.HLP"));
}

TEST_F(HelpFileLocateTest, WithNoFileAnywhereTheProgramsFolderNamesIt)
{
    EXPECT_EQ(HelpFilePath::locate(program(), data()), program() + QStringLiteral("/KORVEL.HLP"));
}

} // namespace
