#include "form1fixture.h"
#include "support/fakebackend.h"
#include "ui/contextids.h"
#include "ui/helpviewer.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

// F1, and the Help menu's item that presses it, open the help at the topic
// of the focused control, or at the window's when the control has none.
TEST_F(Form1Fixture, HelpOpensAtTheTopicOfTheFocusedControl)
{
    backend = std::make_shared<FakeBackend>();
    const Form1Design& ui = load("CheckEvery=1\n").design();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const auto shownTopic = [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* viewer = qobject_cast<HelpViewer*>(window); viewer && viewer->isVisible())
                return viewer->browser()->source().fragment();
        }
        return QString();
    };

    ui.cmdSetTime->setFocus();
    QTest::keyClick(ui.cmdSetTime, Qt::Key_F1);
    EXPECT_EQ(shownTopic(), HelpViewer::anchorFor(220));

    ui.TxtTime->setFocus();
    ui.helpf->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(shownTopic(), HelpViewer::anchorFor(10));
    ContextIDs::QuitHelp();
}
