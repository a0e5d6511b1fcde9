// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/helpfilepath.h"
#include "ui/helpviewer.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

// The top of the block that carries `anchor`, in document coordinates.
std::optional<qreal> anchorTop(const QTextBrowser& browser, const QString& anchor)
{
    const QTextDocument* document = browser.document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        bool found = block.charFormat().anchorNames().contains(anchor);
        for (auto fragment = block.begin(); !found && !fragment.atEnd(); ++fragment)
            found = fragment.fragment().charFormat().anchorNames().contains(anchor);
        if (found)
            return document->documentLayout()->blockBoundingRect(block).top();
    }
    return std::nullopt;
}

TEST(HelpViewerTest, OpensTheHelpFileAtEachContextsTopic)
{
    HelpViewer viewer;
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    const QTextBrowser& browser = *viewer.browser();

    // Each opening starts from the end, where neither topic is in view; the
    // second 220 is the page already shown, scrolled away by the user.
    for (const int context : {220, 220, 10}) {
        browser.verticalScrollBar()->setValue(browser.verticalScrollBar()->maximum());
        viewer.showContext(QStringLiteral(KORVEL_HELP_SOURCE), context);
        const QString anchor = HelpViewer::anchorFor(context);
        EXPECT_EQ(browser.source().fragment(), anchor);
        const std::optional<qreal> top = anchorTop(browser, anchor);
        ASSERT_TRUE(top) << "no anchor " << anchor.toStdString();
        const int scrolled = browser.verticalScrollBar()->value();
        EXPECT_GE(*top, scrolled - 1) << context;
        EXPECT_LT(*top, scrolled + browser.viewport()->height()) << context;
    }
}

TEST(HelpViewerTest, AMissingFileGetsANoteOfItsOwn)
{
    HelpViewer viewer;
    viewer.showContext(QStringLiteral("/nonexistent/KORVEL.HLP"), 10);
    EXPECT_TRUE(viewer.browser()->toPlainText().contains(QStringLiteral("/nonexistent/KORVEL.HLP")));
    EXPECT_TRUE(viewer.browser()->source().isEmpty());
}

} // namespace

TEST(HelpFilePathTest, LooksBesideTheProgramFirstThenInTheDataFolder)
{
    EXPECT_EQ(HelpFilePath::inFolder(QStringLiteral("/opt/korvel/")), QStringLiteral("/opt/korvel/KORVEL.HLP"));
    EXPECT_EQ(HelpFilePath::inFolder(QStringLiteral("/ ")), QStringLiteral("/ KORVEL.HLP"));
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
