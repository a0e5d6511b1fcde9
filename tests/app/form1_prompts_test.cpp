// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1fixture.h"
#include "support/fakebackend.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

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
