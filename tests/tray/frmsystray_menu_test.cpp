#include "tray/frmsystray.h"

#include "support/qtprinters.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {
// Each element as "caption key", with " off" when disabled and " sep" for a separator.
QStringList items(const frmSysTray& form)
{
    EXPECT_EQ(form.mnuPopup()->actions(), form.mnuSysTray());
    QStringList texts;
    for (qint32 i = 0; i < form.mnuSysTray().size(); ++i) {
        const QAction* item = form.mnuSysTray().at(i);
        texts << form.MenuCaption(i) + ' ' + item->data().toString() + (item->isEnabled() ? "" : " off")
                     + (item->isSeparator() ? " sep" : "");
    }
    return texts;
}

void addABC(frmSysTray& form)
{
    EXPECT_EQ(form.AddMenuItem("A", "kA"), 0);
    EXPECT_EQ(form.AddMenuItem("B", "kB"), 1);
    EXPECT_EQ(form.AddMenuItem("C", "kC"), 2);
}
} // namespace

TEST(FrmSysTrayMenuTest, ItemsFillThePlaceholderFirstThenFollowIt)
{
    frmSysTray form;
    EXPECT_EQ(form.AddMenuItem("&Set Time", "set"), 0);
    EXPECT_EQ(form.AddMenuItem("-"), 1);
    EXPECT_EQ(form.AddMenuItem("E&xit", "exit", true), 2);
    EXPECT_EQ(items(form), QStringList({"&Set Time set", "-  sep", "E&xit exit"}));
    for (const QAction* item : form.mnuSysTray())
        EXPECT_TRUE(item->isVisible());
    EXPECT_EQ(form.DefaultMenuIndex(), 2);
    EXPECT_EQ(form.mnuPopup()->defaultAction(), form.mnuSysTray().at(2));
}

TEST(FrmSysTrayMenuTest, RemovingMovesCaptionsAndKeysButNotStates)
{
    const struct Row {
        const char* name;
        std::function<void(frmSysTray&)> act;
        QStringList items;
        qint32 defaultIndex;
    } rows[] = {
        {"middle", [](frmSysTray& f) { EXPECT_EQ(f.RemoveMenuItem(1), 0); }, {"A kA", "C kC"}, 0},
        {"first only empties", [](frmSysTray& f) { f.RemoveMenuItem(0); }, {" kA", "B kB", "C kC"}, 0},
        {"out of range", [](frmSysTray& f) { f.RemoveMenuItem(3); f.RemoveMenuItem(-1); f.EnableMenuItem(3, false); },
         {"A kA", "B kB", "C kC"}, 0},
        {"enabled stays in place", [](frmSysTray& f) { f.EnableMenuItem(1, false); f.RemoveMenuItem(1); },
         {"A kA", "C kC off"}, 0},
        {"separator moves up", [](frmSysTray& f) { f.AddMenuItem("-"); f.RemoveMenuItem(2); },
         {"A kA", "B kB", "-  sep"}, 0},
        {"default is kept", [](frmSysTray& f) { f.setDefaultMenuIndex(1); f.RemoveMenuItem(1); },
         {"A kA", "C kC"}, 1},
        {"default past the end stays", [](frmSysTray& f) { f.setDefaultMenuIndex(2); f.RemoveMenuItem(1); },
         {"A kA", "C kC"}, 2},
        {"invalid default is 0", [](frmSysTray& f) { f.setDefaultMenuIndex(2); f.setDefaultMenuIndex(3); },
         {"A kA", "B kB", "C kC"}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        frmSysTray form;
        addABC(form);
        row.act(form);
        EXPECT_EQ(items(form), row.items);
        EXPECT_EQ(form.DefaultMenuIndex(), row.defaultIndex);
        EXPECT_EQ(form.mnuPopup()->defaultAction(), form.mnuSysTray().value(row.defaultIndex));
    }
}

TEST(FrmSysTrayMenuTest, ShowMenuOpensAtThePointerWithTheDefaultAndReportsTheChoice)
{
    frmSysTray form;
    addABC(form);
    form.RemoveMenuItem(1);
    form.setDefaultMenuIndex(1);
    const QPoint pointer(300, 200);
    QCursor::setPos(pointer);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QCursor::pos() == pointer; }));
    QSignalSpy clicks(&form, &frmSysTray::MenuClick);
    QMenu* menu = form.mnuPopup();
    QRect shownAt;
    QAction* shownDefault = nullptr;
    QTimer chooser;
    QObject::connect(&chooser, &QTimer::timeout, menu, [&] {
        if (!menu->isVisible())
            return;
        chooser.stop();
        shownAt = menu->geometry();
        shownDefault = menu->defaultAction();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(form.mnuSysTray().at(1)).center());
    });
    chooser.start(50);
    QTimer::singleShot(10000, menu, &QMenu::close); // a hang becomes a failure below

    EXPECT_FALSE(form.ShowMenu().isValid());
    EXPECT_EQ(shownAt.topLeft(), pointer);
    EXPECT_EQ(shownDefault, form.mnuSysTray().at(1));
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.at(0), QVariantList({1, QString("kC")}));
}
