#include "app/optionstore.h"
#include "optionfile.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(OptionStore, FreshStoreReadsEveryDefault)
{
    OptionFile file;
    const OptionStore store(file.path());
    QStringList texts;
    for (const OptionKey& key : {Option::Connection, Option::CheckEvery, Option::CheckTime, Option::CheckAuto,
                                 Option::Disconnect, Option::Unload, Option::TimeAway, Option::Beep,
                                 Option::TimeZone, Option::LastUpdate})
        texts.append(store.read(key));
    EXPECT_EQ(texts, QStringList({"", "0", "2", "0", "0", "0", "4", "0", "0", "0:00:00"}));
}

TEST(OptionStore, KeepsAwkwardTextsUnderTheOptionGroup)
{
    OptionFile file;
    for (const char* text : {"My ISP, evenings", "  2.5 ", "a=b;c#d", "Zürich \"DSL\"", "@odd", ""}) {
        {
            OptionStore store(file.path());
            store.write(Option::Connection, QString::fromUtf8(text));
            EXPECT_EQ(store.sync(), QString());
        }
        EXPECT_EQ(OptionStore(file.path()).read(Option::Connection), QString::fromUtf8(text));
        EXPECT_TRUE(file.bytes().startsWith("[Option]\nConnection="));
    }
    file.write("[Option]\nConnection=Home, Work\nCheckTime=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\tQDateTime)\n");
    const OptionStore edited(file.path());
    EXPECT_EQ(edited.read(Option::Connection), QStringLiteral("Home,Work"));
    EXPECT_EQ(edited.read(Option::CheckTime), QStringLiteral("2"));
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
}

TEST(OptionStore, AnUnwritablePlaceGivesAMessageNotACrash)
{
    OptionFile file;
    file.write("not a folder");
    OptionStore store(QDir(file.path()).filePath(QStringLiteral("Korvel.ini")));
    store.write(Option::CheckTime, QStringLiteral("3"));
    EXPECT_TRUE(store.sync().contains(QStringLiteral("cannot write")));
    EXPECT_EQ(file.bytes(), "not a folder");
}
