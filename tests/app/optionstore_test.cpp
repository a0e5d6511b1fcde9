#include "app/optionstore.h"
#include "optionfile.h"

#include <gtest/gtest.h>

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
    // Edited by hand or damaged: a list and a value in the store's own
    // variant syntax read as text, and a value under a broken [Option] reads
    // as the rewrite will keep it.
    const struct { const char* bytes; OptionKey key; const char* text; } edits[] = {
        {"[Option]\nConnection=Home, Work\n", Option::Connection, "Home,Work"},
        {"[Option]\nCheckTime=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\tQDateTime)\n", Option::CheckTime, "2"},
        {"[Option\nUnload=1\n[Option\\A]\n", Option::Unload, "1"},
        {"[Option]\\\nCheckTime=5\n", Option::CheckTime, "5"},
    };
    for (const auto& [bytes, key, text] : edits) {
        file.write(bytes);
        EXPECT_EQ(OptionStore(file.path()).read(key), QLatin1String(text)) << bytes;
    }
}
