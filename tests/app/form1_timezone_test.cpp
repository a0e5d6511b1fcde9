// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1fixture.h"
#include "support/fakebackend.h"
#include "support/mockclock.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(12, 0, 0), Qt::UTC);

class Form1TimeZoneTest : public Form1Fixture
{
protected:
    Form1TimeZoneTest() { backend = std::make_shared<FakeBackend>(); }

    // How many hours ahead of UTC the clock face's time source is.
    double shownHoursFromUtc() const
    {
        const QDateTime shown = form->korvel().SecondaryTime().toDateTime();
        return kNow.secsTo(QDateTime(shown.date(), shown.time(), Qt::UTC)) / 3600.0;
    }

    MockClock clock{kNow};
};

} // namespace

TEST_F(Form1TimeZoneTest, TheStoredZoneIsChosenAsFromTheListAndAnInvalidOneLeavesUtc)
{
    const struct {
        const char* stored; // nullptr: first run
        int index;
        const char* text;
        double hours;
    } rows[] = {
        {nullptr, 0, "Afghanistan-Kabul", 4.5},
        {"25", 25, "GMT - Dublin, Edinburgh, Lisbon, London, Casablanca, Monrovia", 0},
        {"35", 35, "Newfoundland", -3.5},
        {"28", 28, "India - Bombay, Calcutta, Madras, New Delhi", 5.5},
        {"59", -1, "TimeZone", 0},
        {"abc", -1, "TimeZone", 0},
        {"-1", -1, "TimeZone", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored ? row.stored : "first run");
        const Form1Design& ui = load(row.stored ? "TimeZone=" + QByteArray(row.stored) + "\n" : "").design();
        EXPECT_EQ(ui.cboTimeZone->currentIndex(), row.index);
        EXPECT_EQ(ui.cboTimeZone->currentText(), QString::fromUtf8(row.text));
        EXPECT_EQ(shownHoursFromUtc(), row.hours);
    }
}

TEST_F(Form1TimeZoneTest, TypingIntoTheZoneBoxNeverChangesTheZoneAChoiceFromTheListDoes)
{
    QComboBox* zones = load("TimeZone=25\n").design().cboTimeZone;
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    zones->setFocus();
    const auto type = [zones](const QString& text, Qt::Key last) {
        zones->lineEdit()->selectAll();
        QTest::keyClicks(zones, text);
        QTest::keyClick(zones, last);
    };
    type(QStringLiteral("Newf"), Qt::Key_Return);
    EXPECT_EQ(zones->currentText(), QStringLiteral("Newf")) << "typed text is not completed";
    type(QStringLiteral("Hawaii"), Qt::Key_Enter);
    type(QStringLiteral("Yakutsk"), Qt::Key_Tab);
    QFocusEvent leaving(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(zones, &leaving);
    EXPECT_EQ(zones->count(), 59);
    EXPECT_EQ(zones->currentIndex(), 25);
    EXPECT_EQ(shownHoursFromUtc(), 0);

    zones->showPopup();
    QAbstractItemView* list = zones->view();
    const QModelIndex newfoundland = list->model()->index(35, 0);
    list->scrollTo(newfoundland);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(newfoundland).center());
    EXPECT_EQ(zones->currentIndex(), 35);
    EXPECT_EQ(shownHoursFromUtc(), -3.5);
    zones->setCurrentIndex(-1);
    EXPECT_EQ(shownHoursFromUtc(), -3.5) << "selecting nothing changes nothing";
}
