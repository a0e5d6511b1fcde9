// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1fixture.h"
#include "support/fakebackend.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

// The questions the window asks without a connection, as the user would see
// them, fit a 1024 x 768 screen (long prompts wrap), and Escape answers every
// box with its declining choice.
TEST_F(Form1Fixture, TheQuestionsWithoutAConnectionFitASmallScreenAndEscapeDeclinesThem)
{
    backend = std::make_shared<FakeBackend>(); // offline
    prompts->yes = true;
    load("").design().cmdSetTime->click();
    ASSERT_EQ(prompts->asked, (QStringList{"No Connection", "Name the connection"}));
    const auto question = UserPrompts::yesNoBox(form.get(), prompts->asked[0], prompts->texts[0]);
    const auto choice = UserPrompts::choiceBox(form.get(), "Network time", "Take over?", "Yes", "No");
    const auto name = UserPrompts::textBox(form.get(), prompts->asked[1], prompts->texts[1]);
    for (QDialog* box : std::initializer_list<QDialog*>{question.get(), choice.get(), name.get()}) {
        const QSize size = box->sizeHint();
        EXPECT_TRUE(size.boundedTo(QSize(1024, 768)) == size) << size.width() << "x" << size.height();
        box->open();
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_FALSE(box->isVisible()) << box->windowTitle().toStdString();
    }
    EXPECT_EQ(question->result(), QMessageBox::No);
    EXPECT_EQ(choice->buttonRole(choice->clickedButton()), QMessageBox::RejectRole);
    EXPECT_EQ(name->result(), QDialog::Rejected);
}
