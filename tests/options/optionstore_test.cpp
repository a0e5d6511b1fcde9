// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "options/optionstore.h"
#include "support/optionfile.h"

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
    // Edited by hand: a list and a value in the store's own variant syntax
    // read as text, values under broken headers as a rewrite keeps them.
    file.write("[Option]\nConnection=Home, Work\nCheckTime=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\tQDateTime)\n"
               "[Option\nUnload=1\n[Option\\A]\n[Option]\\\nBeep=1\n");
    const OptionStore edited(file.path());
    EXPECT_EQ(edited.read(Option::Connection), QStringLiteral("Home,Work"));
    EXPECT_EQ(edited.read(Option::CheckTime), QStringLiteral("2"));
    EXPECT_EQ(edited.read(Option::Unload) + edited.read(Option::Beep), QStringLiteral("11"));
}
