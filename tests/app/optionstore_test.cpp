#include "app/optionstore.h"
#include "optionfile.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(OptionStore, FreshStoreReadsEveryDefault)
{
    OptionFile file;
    const OptionStore store(file.path());
    EXPECT_EQ(store.read(Option::Connection), QString());
    EXPECT_EQ(store.read(Option::CheckEvery), QStringLiteral("0"));
    EXPECT_EQ(store.read(Option::CheckTime), QStringLiteral("2"));
    EXPECT_EQ(store.read(Option::CheckAuto), QStringLiteral("0"));
    EXPECT_EQ(store.read(Option::Disconnect), QStringLiteral("0"));
    EXPECT_EQ(store.read(Option::Unload), QStringLiteral("0"));
    EXPECT_EQ(store.read(Option::TimeAway), QStringLiteral("4"));
    EXPECT_EQ(store.read(Option::Beep), QStringLiteral("0"));
    EXPECT_EQ(store.read(Option::TimeZone), QStringLiteral("0"));
    EXPECT_EQ(store.read(Option::LastUpdate), QStringLiteral("0:00:00"));
}

TEST(OptionStore, KeepsAwkwardTextsAsTheyWereTyped)
{
    OptionFile file;
    const QStringList texts = {QStringLiteral("My ISP, evenings"), QStringLiteral("  2.5 "),
                               QStringLiteral("a=b;c#d"), QStringLiteral("Zürich \"DSL\""),
                               QStringLiteral("@odd"), QString()};
    for (const QString& text : texts) {
        {
            OptionStore store(file.path());
            store.write(Option::Connection, text);
            EXPECT_EQ(store.sync(), QString());
        }
        EXPECT_EQ(OptionStore(file.path()).read(Option::Connection), text);
    }
}

TEST(OptionStore, WritesUnderTheOptionGroup)
{
    OptionFile file;
    {
        OptionStore store(file.path());
        store.write(Option::CheckTime, QStringLiteral("3"));
        store.sync();
    }
    EXPECT_EQ(file.bytes(), "[Option]\nCheckTime=3\n");
}

TEST(OptionStore, HandEditedListsAndForeignTypesStillReadAsText)
{
    OptionFile file;
    file.write("[Option]\nConnection=Home, Work\nCheckTime=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\tQDateTime)\n");
    const OptionStore store(file.path());
    EXPECT_EQ(store.read(Option::Connection), QStringLiteral("Home,Work"));
    EXPECT_EQ(store.read(Option::CheckTime), QStringLiteral("2"));
}

TEST(OptionStore, AnUnwritablePlaceGivesAMessageNotACrash)
{
    OptionFile file;
    file.write("not a folder");
    // The settings file would have to live inside a plain file.
    OptionStore store(QDir(file.path()).filePath(QStringLiteral("Korvel.ini")));
    store.write(Option::CheckTime, QStringLiteral("3"));
    const QString message = store.sync();
    EXPECT_TRUE(message.contains(QStringLiteral("cannot write"))) << message.toStdString();
    EXPECT_EQ(file.bytes(), "not a folder");
}

TEST(OptionStore, ValuesUnderAHeaderGluedToGarbageAreSalvagedAndKept)
{
    OptionFile file;
    // The last line of garbage runs into the header: "[Op[Option]".
    file.write(QByteArray("\xff\xfe\x00junk\n[Opt\n", 11)
               + "[Option]\nTimeAway = 1\nConnection=\"Home\"\nLastUpdate=5/14/2026 9:41:30 AM\n"
                 "[Other]\nCheckTime=9\n");
    {
        OptionStore store(file.path());
        EXPECT_EQ(store.read(Option::TimeAway), QStringLiteral("1"));
        EXPECT_EQ(store.read(Option::Connection), QStringLiteral("Home"));
        EXPECT_EQ(store.read(Option::CheckTime), QStringLiteral("2"));
        store.write(Option::TimeAway, QStringLiteral("3"));
        EXPECT_EQ(store.sync(), QString());
    }
    const OptionStore reread(file.path());
    EXPECT_EQ(reread.read(Option::TimeAway), QStringLiteral("3"));
    EXPECT_EQ(reread.read(Option::LastUpdate), QStringLiteral("5/14/2026 9:41:30 AM"));
    EXPECT_EQ(reread.read(Option::Connection), QStringLiteral("Home"));
}
