// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/language.h"
#include "form1fixture.h"
#include "schedule/lastupdatetext.h"
#include "support/fakebackend.h"
#include "support/localescope.h"
#include "tray/frmsystray.h"
#include "ui/fittedcheckbox.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDateTime>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace {

// The window offline, its last update half an hour ago, in whatever
// language a test installs; English again afterwards.
class LanguageTest : public Form1Fixture
{
protected:
    LanguageTest() { backend = std::make_shared<FakeBackend>(); }
    ~LanguageTest() override { Language::unload(); }

    Form1& loadWindow()
    {
        const QDateTime halfAnHourAgo = QDateTime::currentDateTimeUtc().addSecs(-30 * 60);
        return load("CheckEvery=1\nCheckTime=2\nLastUpdate=" + LastUpdateText::stored(halfAnHourAgo).toUtf8() + "\n");
    }
    // Presses "Set Time" without a connection: the window asks whether
    // the user is connected, then for the connection's name.
    void setTimeOffline()
    {
        prompts->yes = true;
        form->design().cmdSetTime->click();
    }
    QMenu* trayMenu() const { return form->trayForm()->mnuPopup(); }
};

void addMenuTexts(const QMenu* menu, QStringList& texts)
{
    texts << menu->title();
    for (const QAction* action : menu->actions()) {
        texts << action->text() << action->toolTip();
        if (action->menu())
            addMenuTexts(action->menu(), texts);
    }
}

// Every text a user can see on `root` and its children: captions, titles,
// tips, list rows, combo items and menus.
QStringList visibleTexts(QWidget* root)
{
    QStringList texts{root->windowTitle()};
    const QList<QWidget*> widgets = root->findChildren<QWidget*>() << root;
    for (const QWidget* widget : widgets) {
        texts << widget->toolTip();
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            texts << label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts << button->text();
        else if (const auto* box = qobject_cast<const QGroupBox*>(widget))
            texts << box->title();
        else if (const auto* list = qobject_cast<const QListWidget*>(widget))
            for (int row = 0; row < list->count(); ++row)
                texts << list->item(row)->text();
        else if (const auto* combo = qobject_cast<const QComboBox*>(widget))
            for (int row = 0; row < combo->count(); ++row)
                texts << combo->itemText(row);
        else if (const auto* menu = qobject_cast<const QMenu*>(widget))
            addMenuTexts(menu, texts);
    }
    texts.removeAll(QString());
    return texts;
}

// What a pseudo-translated text shows outside its "⟦…⟧" pieces, nested or not.
QString outsideThePieces(QString text)
{
    static const QRegularExpression piece(QStringLiteral("⟦[^⟦⟧]*⟧"));
    for (qsizetype before = -1; before != text.size();) {
        before = text.size();
        text.remove(piece);
    }
    return text;
}

} // namespace

TEST_F(LanguageTest, TheTranslationIsTheFirstUserLanguageKorvelHasAndEnglishEndsTheSearch)
{
    const QString german = QStringLiteral(KORVEL_TRANSLATIONS_DIR "/korvel_de.qm");
    const std::pair<QStringList, QString> cases[] = {
        {{"de-DE"}, german},
        {{"de-AT", "en-US"}, german},
        {{"fr-FR", "de"}, german},
        {{"en-US", "de-DE"}, {}},
        {{"C", "de-DE"}, {}},
        {{"fr-FR", "pt-BR"}, {}},
        {{}, {}},
    };
    for (const auto& [uiLanguages, loaded] : cases) {
        SCOPED_TRACE(uiLanguages.join(u',').toStdString());
        EXPECT_EQ(Language::load(uiLanguages, {QStringLiteral("/nonexistent"), KORVEL_TRANSLATIONS_DIR}), loaded);
        // Numbers follow the sentence: German ones in German, and English
        // ones with the period, whatever the user's own locale says.
        EXPECT_EQ(Language::locale().decimalPoint(), QLatin1String(loaded.isEmpty() ? "." : ","));
    }
}

TEST_F(LanguageTest, WithoutATranslationTheWindowShowsTheDescribedEnglishVerbatim)
{
    ASSERT_TRUE(Language::load(QLocale::system().uiLanguages(), {KORVEL_TRANSLATIONS_DIR}).isEmpty());
    const Form1Design& ui = loadWindow().design();
    const QStringList shown = visibleTexts(form.get()) + visibleTexts(trayMenu());
    for (const char* described :
         {"Korvel Time & Date Setter", "Set Time", "Click \"Set Time\" to get current time.", "Date/Time:",
          "       Auto Dial up", "Disconnect when done", "       Update Time every             hours",
          "Secondary Time", "&Help", "Help &File", "&Options", "Beep On Update", "Change &Settings", "Time &Zone",
          "&Regional", "&Minimize Korvel", "&Close", "Status: NO RAS", "Afghanistan-Kabul",
          "This will set your PC's date and time from the Atomic clock."})
        EXPECT_TRUE(shown.contains(QString::fromUtf8(described))) << described;
    EXPECT_TRUE(ui.chkUnload->text().startsWith(
        "Unload at startup if next scheduled update time is more than           hours away - Next update is in 1"))
        << ui.chkUnload->text().toStdString();
    form->Timer1_Timer();
    EXPECT_EQ(form->trayForm()->ToolTip(), "Korvel - Next update is in 1.5 hours");
    setTimeOffline();
    EXPECT_EQ(prompts->asked, (QStringList{"No Connection", "Name the connection"}));
}

TEST_F(LanguageTest, AGermanDesktopGetsGermanStatusCountdownTipBoxesAndReadsTheDecimalComma)
{
    ASSERT_FALSE(Language::load({QStringLiteral("de-DE")}, {KORVEL_TRANSLATIONS_DIR}).isEmpty());
    const Form1Design& ui = loadWindow().design();
    EXPECT_EQ(form->windowTitle(), "Korvel Zeit- und Datumsstellung");
    EXPECT_TRUE(lines().first().startsWith("Letzte Aktualisierung am " + QDate::currentDate().toString("dd.MM.yyyy")))
        << qPrintable(lines().first());
    EXPECT_EQ(trayMenu()->actions().first()->text(), "Korvel &minimieren");

    // "2,5" is two and a half hours: two left after half an hour.
    ui.TxtTime->setText(QStringLiteral("2,5"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(ui.TxtTime, &out);
    EXPECT_TRUE(ui.chkUnload->text().endsWith(" - Nächste Aktualisierung in 2,0 Stunden"))
        << qPrintable(ui.chkUnload->text());
    form->Timer1_Timer();
    EXPECT_EQ(form->trayForm()->ToolTip(), "Korvel: Nächste Aktualisierung in 2,0 Stunden");

    setTimeOffline();
    ASSERT_EQ(prompts->asked.value(0), "Keine Verbindung");
    const auto box = UserPrompts::yesNoBox(form.get(), prompts->asked[0], prompts->texts[0]);
    EXPECT_EQ(box->button(QMessageBox::Yes)->text().remove(u'&'), "Ja") << "Qt's own translation";
    EXPECT_TRUE(lines().contains("Status: Nicht verbunden.")) << qPrintable(lines().join(u'\n'));
}

TEST_F(LanguageTest, APseudoTranslationLeavesNoTextOfTheWindowTrayMenuOrBoxesUntranslatedAndMirrorsTheWindow)
{
    const LocaleScope numbers("de_DE"); // dates and numbers without letters
    ASSERT_TRUE(Language::install(QStringLiteral(KORVEL_PSEUDO_QM), QLocale(QLocale::Arabic)));
    loadWindow();
    setTimeOffline();
    EXPECT_EQ(form->layoutDirection(), Qt::RightToLeft);

    QStringList shown = visibleTexts(form.get()) + visibleTexts(trayMenu()) + prompts->asked + prompts->texts;
    shown << form->trayForm()->ToolTip();
    const auto box = UserPrompts::yesNoBox(form.get(), prompts->asked.value(0), prompts->texts.value(0));
    for (const QLabel* label : box->findChildren<QLabel*>())
        shown << label->text();
    ASSERT_GT(shown.size(), 100);
    static const QRegularExpression letter(QStringLiteral("\\p{L}"));
    for (const QString& text : shown)
        EXPECT_FALSE(outsideThePieces(text).contains(letter)) << qPrintable(text);
}
