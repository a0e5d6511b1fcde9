#include "ui/contextids.h"

#include "ui/helpviewer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A window that answers F1 the way the main window does.
class HelpWindow : public QWidget
{
public:
    HelpWindow()
    {
        setProperty("helpContextId", 10);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(setTime);
        layout->addWidget(hours);
        layout->addWidget(group);
        new QLineEdit(group);
        setTime->setProperty("helpContextId", 220);
        group->setProperty("helpContextId", 330);
    }
    QPushButton* setTime = new QPushButton(QStringLiteral("Set Time"));
    QLineEdit* hours = new QLineEdit;
    QWidget* group = new QWidget;
    std::optional<int> asked;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_F1)
            asked = ContextIDs::helpContextFor(focusWidget(), this);
    }
};

TEST(ContextIDsTest, TopicIsTheFocusedControlsOrTheNearestAroundItOrTheWindows)
{
    HelpWindow window;
    QWidget bare;
    const struct {
        const char* name;
        const QWidget* focus;
        const QWidget* window;
        int context;
    } rows[] = {
        {"control with its own", window.setTime, &window, 220},
        {"control without", window.hours, &window, 10},
        {"inside a control with one", window.group->findChild<QLineEdit*>(), &window, 330},
        {"nothing focused", nullptr, &window, 10},
        {"window without one", nullptr, &bare, ContextIDs::kWindowContext},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ContextIDs::helpContextFor(row.focus, row.window), row.context) << row.name;
}

TEST(ContextIDsTest, PressingTheHelpKeyReachesTheWindowAfterwardsWithTheFocusedControlsTopic)
{
    HelpWindow window;
    ContextIDs::InitHelp(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    const std::pair<QWidget*, int> rows[] = {{window.setTime, 220}, {window.hours, 10}};
    for (const auto& [control, context] : rows) {
        control->setFocus();
        window.asked.reset();
        ContextIDs::PressHelpKey();
        EXPECT_FALSE(window.asked) << "handled before PressHelpKey returned";
        QCoreApplication::processEvents();
        EXPECT_EQ(window.asked, context);
    }
}

int openHelpWindows()
{
    int open = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        open += qobject_cast<HelpViewer*>(widget) && widget->isVisible() ? 1 : 0;
    return open;
}

TEST(ContextIDsTest, HelpOpensInOneWindowThatQuitHelpCloses)
{
    QWidget owner;
    ContextIDs::InitHelp(&owner);

    ContextIDs::ShowHelp(220);
    ContextIDs::ShowHelp(10);
    EXPECT_EQ(openHelpWindows(), 1);

    ContextIDs::QuitHelp();
    EXPECT_EQ(openHelpWindows(), 0);
    ContextIDs::QuitHelp(); // nothing open: no effect
}

} // namespace
