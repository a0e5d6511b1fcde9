// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1fixture.h"
#include "support/fakebackend.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

// The questions the window asks, as the user would see them, fit a
// 1024 x 768 screen: long prompts wrap.
TEST_F(Form1Fixture, TheQuestionsWithoutAConnectionFitASmallScreen)
{
    backend = std::make_shared<FakeBackend>(); // offline
    prompts->yes = true;
    load("").design().cmdSetTime->click();
    ASSERT_EQ(prompts->asked, (QStringList{"No Connection", "Name the connection"}));

    const QSize screen(1024, 768);
    const QSize question = UserPrompts::yesNoBox(form.get(), prompts->asked[0], prompts->texts[0])->sizeHint();
    const QSize name = UserPrompts::textBox(form.get(), prompts->asked[1], prompts->texts[1])->sizeHint();
    EXPECT_TRUE(question.boundedTo(screen) == question) << question.width() << "x" << question.height();
    EXPECT_TRUE(name.boundedTo(screen) == name) << name.width() << "x" << name.height();
}

// Escape answers every box the window asks with its declining choice.
TEST_F(Form1Fixture, EscapeDeclinesEveryBox)
{
    load("");
    const std::unique_ptr<QMessageBox> question = UserPrompts::yesNoBox(form.get(), "No Connection", "Dial?");
    const std::unique_ptr<QMessageBox> choice = UserPrompts::choiceBox(form.get(), "Network time", "Take over?", "Yes", "No");
    const std::unique_ptr<QInputDialog> name = UserPrompts::textBox(form.get(), "Name the connection", "Name:");
    for (QDialog* box : std::initializer_list<QDialog*>{question.get(), choice.get(), name.get()}) {
        box->open();
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_FALSE(box->isVisible()) << box->windowTitle().toStdString();
    }
    EXPECT_EQ(question->result(), QMessageBox::No);
    EXPECT_EQ(choice->clickedButton(), choice->escapeButton());
    EXPECT_EQ(name->result(), QDialog::Rejected);
}
