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
QStringList captions(const frmSysTray& form)
{
    QStringList texts;
    for (const QAction* item : form.mnuSysTray())
        texts << item->text();
    return texts;
}

QStringList keys(const frmSysTray& form)
{
    QStringList texts;
    for (const QAction* item : form.mnuSysTray())
        texts << item->data().toString();
    return texts;
}

QList<bool> enabled(const frmSysTray& form)
{
    QList<bool> states;
    for (const QAction* item : form.mnuSysTray())
        states << item->isEnabled();
    return states;
}

void addABC(frmSysTray& form)
{
    form.AddMenuItem("A", "kA");
    form.AddMenuItem("B", "kB");
    form.AddMenuItem("C", "kC");
}
} // namespace

TEST(FrmSysTrayMenuTest, ItemsFillThePlaceholderFirstThenFollowIt)
{
    frmSysTray form;
    EXPECT_EQ(form.AddMenuItem("&Set Time", "set"), 0);
    EXPECT_EQ(form.AddMenuItem("-"), 1);
    EXPECT_EQ(form.AddMenuItem("E&xit", "exit", true), 2);
    EXPECT_EQ(form.mnuPopup()->actions(), form.mnuSysTray());
    EXPECT_EQ(captions(form), QStringList({"&Set Time", "-", "E&xit"}));
    EXPECT_EQ(keys(form), QStringList({"set", "", "exit"}));
    QList<bool> separators;
    for (const QAction* item : form.mnuSysTray()) {
        EXPECT_TRUE(item->isVisible());
        separators << item->isSeparator();
    }
    EXPECT_EQ(separators, QList<bool>({false, true, false}));
    EXPECT_EQ(form.DefaultMenuIndex(), 2);
    EXPECT_EQ(form.mnuPopup()->defaultAction(), form.mnuSysTray().at(2));
}

TEST(FrmSysTrayMenuTest, RemovingMovesCaptionsAndKeysButNotStates)
{
    const struct Row {
        const char* name;
        std::function<void(frmSysTray&)> act;
        QStringList captions;
        QStringList keys;
        QList<bool> enabled;
        qint32 defaultIndex;
    } rows[] = {
        {"middle", [](frmSysTray& f) { EXPECT_EQ(f.RemoveMenuItem(1), 0); }, {"A", "C"}, {"kA", "kC"}, {true, true}, 0},
        {"last", [](frmSysTray& f) { f.RemoveMenuItem(2); }, {"A", "B"}, {"kA", "kB"}, {true, true}, 0},
        {"first only empties", [](frmSysTray& f) { f.RemoveMenuItem(0); }, {"", "B", "C"}, {"kA", "kB", "kC"},
         {true, true, true}, 0},
        {"out of range", [](frmSysTray& f) { EXPECT_EQ(f.RemoveMenuItem(3), 0); f.RemoveMenuItem(-1); },
         {"A", "B", "C"}, {"kA", "kB", "kC"}, {true, true, true}, 0},
        {"enabled stays in place", [](frmSysTray& f) { f.EnableMenuItem(1, false); f.RemoveMenuItem(1); },
         {"A", "C"}, {"kA", "kC"}, {true, false}, 0},
        {"separator moves up", [](frmSysTray& f) { f.AddMenuItem("-"); f.RemoveMenuItem(2); },
         {"A", "B", "-"}, {"kA", "kB", ""}, {true, true, true}, 0},
        {"default is kept", [](frmSysTray& f) { f.setDefaultMenuIndex(1); f.RemoveMenuItem(1); },
         {"A", "C"}, {"kA", "kC"}, {true, true}, 1},
        {"default past the end stays", [](frmSysTray& f) { f.setDefaultMenuIndex(2); f.RemoveMenuItem(1); },
         {"A", "C"}, {"kA", "kC"}, {true, true}, 2},
        {"invalid default is 0", [](frmSysTray& f) { f.setDefaultMenuIndex(2); f.setDefaultMenuIndex(3); },
         {"A", "B", "C"}, {"kA", "kB", "kC"}, {true, true, true}, 0},
        {"negative default is 0", [](frmSysTray& f) { f.setDefaultMenuIndex(1); f.setDefaultMenuIndex(-1); },
         {"A", "B", "C"}, {"kA", "kB", "kC"}, {true, true, true}, 0},
        {"enable out of range", [](frmSysTray& f) { f.EnableMenuItem(3, false); f.EnableMenuItem(-1, false); },
         {"A", "B", "C"}, {"kA", "kB", "kC"}, {true, true, true}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        frmSysTray form;
        addABC(form);
        row.act(form);
        EXPECT_EQ(captions(form), row.captions);
        EXPECT_EQ(keys(form), row.keys);
        EXPECT_EQ(enabled(form), row.enabled);
        EXPECT_EQ(form.mnuPopup()->actions(), form.mnuSysTray());
        EXPECT_EQ(form.DefaultMenuIndex(), row.defaultIndex);
        EXPECT_EQ(form.mnuPopup()->defaultAction(), form.mnuSysTray().value(row.defaultIndex));
        for (int i = 0; i < form.mnuSysTray().size(); ++i)
            EXPECT_EQ(form.mnuSysTray().at(i)->isSeparator(), row.captions.at(i) == "-") << i;
    }
}

TEST(FrmSysTrayMenuTest, ChoosingAnItemRaisesMenuClickWithItsPlaceAndKey)
{
    frmSysTray form;
    addABC(form);
    form.RemoveMenuItem(1);
    QSignalSpy clicks(&form, &frmSysTray::MenuClick);
    form.mnuSysTray().at(1)->trigger();
    form.mnuSysTray().at(0)->trigger();
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(clicks.at(0), QVariantList({1, QString("kC")}));
    EXPECT_EQ(clicks.at(1), QVariantList({0, QString("kA")}));
}

TEST(FrmSysTrayMenuTest, ShowMenuOpensAtThePointerWithTheDefaultAndReportsTheChoice)
{
    frmSysTray form;
    addABC(form);
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
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(form.mnuSysTray().at(2)).center());
    });
    chooser.start(50);
    QTimer::singleShot(10000, menu, &QMenu::close); // a hang becomes a failure below

    EXPECT_FALSE(form.ShowMenu().isValid());
    EXPECT_EQ(shownAt.topLeft(), pointer);
    EXPECT_EQ(shownDefault, form.mnuSysTray().at(1));
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.at(0), QVariantList({2, QString("kC")}));
}
