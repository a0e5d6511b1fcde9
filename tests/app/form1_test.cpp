#include "app/form1.h"
#include "app/optionstore.h"
#include "optionfile.h"
#include "ui/fittedcheckbox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// Sample time-zone names standing in for the real list, which the window
// fills itself once it has one.
void fillTimeZones(const Form1Design& ui, int count)
{
    for (int i = 0; i < count; ++i)
        ui.cboTimeZone->addItem(QStringLiteral("Zone %1").arg(i));
}

class Form1Test : public testing::Test
{
protected:
    std::unique_ptr<Form1> load(const QByteArray& options, bool startedWithLoad = false, int zones = 0,
                                const QStringList& entries = {})
    {
        if (!options.isNull())
            file.write(options);
        store = std::make_unique<OptionStore>(file.path());
        StartupState startup;
        startup.m_sLastUpdate = store->read(Option::LastUpdate);
        startup.m_bStartedWithLoad = startedWithLoad;
        auto form = std::make_unique<Form1>(startup, *store);
        fillTimeZones(form->design(), zones);
        form->design().cboEntries->addItems(entries);
        form->Form_Load();
        return form;
    }

    QString saved(const OptionKey& key) const { return OptionStore(file.path()).read(key); }

    OptionFile file;
    std::unique_ptr<OptionStore> store;
};

QStringList capturedStatus;
void captureStatus(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (qstrcmp(context.category, "korvel.status") == 0)
        capturedStatus.append(message);
}

} // namespace

TEST_F(Form1Test, FirstRunShowsTheDefaults)
{
    const auto form = load(QByteArray());
    const Form1Design& ui = form->design();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ui.TxtTime->text(), QStringLiteral("2"));
    EXPECT_EQ(ui.txtAway->text(), QStringLiteral("4"));
    for (const QCheckBox* box : {ui.chkTime, ui.chkAutoConnect, ui.ChkDisconnect,
                                 static_cast<QCheckBox*>(ui.chkUnload)})
        EXPECT_EQ(box->checkState(), Qt::Unchecked) << box->objectName().toStdString();
    EXPECT_FALSE(ui.mnuBeep->isChecked());
    EXPECT_FALSE(ui.fraTime->isEnabled());
    EXPECT_FALSE(ui.fraAutoConnect->isEnabled());
    EXPECT_TRUE(ui.chkTime->isEnabled());
    EXPECT_TRUE(ui.chkAutoConnect->isEnabled());
    EXPECT_EQ(ui.cboEntries->currentIndex(), -1);
    ASSERT_EQ(ui.lstConnectState->count(), 1);
    EXPECT_EQ(ui.lstConnectState->item(0)->text(), QStringLiteral("Last update was on - 0:00:00"));
    EXPECT_FALSE(file.exists());
}

TEST_F(Form1Test, FirstRunSelectsTheFirstTimeZone)
{
    const auto form = load(QByteArray(), false, 59);
    EXPECT_EQ(form->design().cboTimeZone->currentIndex(), 0);
}

TEST_F(Form1Test, UnattendedStartStaysHidden)
{
    const auto form = load(QByteArray(), true);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->startedWithLoad());
}

TEST_F(Form1Test, StoredStatesDriveTheEnableRules)
{
    // "CheckEvery" holds the box's state and "CheckTime" its hours.
    const auto form = load("[Option]\nCheckEvery=1\nCheckTime=7\nCheckAuto=1\n");
    const Form1Design& ui = form->design();
    EXPECT_EQ(ui.chkTime->checkState(), Qt::Checked);
    EXPECT_EQ(ui.TxtTime->text(), QStringLiteral("7"));
    for (QWidget* widget : {static_cast<QWidget*>(ui.fraTime), static_cast<QWidget*>(ui.TxtTime),
                            static_cast<QWidget*>(ui.chkUnload), static_cast<QWidget*>(ui.txtAway),
                            static_cast<QWidget*>(ui.fraAutoConnect), static_cast<QWidget*>(ui.ChkDisconnect),
                            static_cast<QWidget*>(ui.cboEntries)})
        EXPECT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();

    ui.chkTime->click();
    EXPECT_FALSE(ui.fraTime->isEnabled());
    EXPECT_FALSE(ui.txtAway->isEnabled());
    ui.chkAutoConnect->click();
    EXPECT_FALSE(ui.fraAutoConnect->isEnabled());
    EXPECT_FALSE(ui.cboEntries->isEnabled());
}

TEST_F(Form1Test, GrayedUpdateBoxEnablesTheFieldsAndKeepsItsState)
{
    const auto form = load("[Option]\nCheckEvery=2\n");
    EXPECT_EQ(form->design().chkTime->checkState(), Qt::PartiallyChecked);
    EXPECT_TRUE(form->design().TxtTime->isEnabled());
    form->SaveOptions();
    EXPECT_EQ(saved(Option::CheckEvery), QStringLiteral("2"));
}

TEST_F(Form1Test, EveryOptionSurvivesLoadAndSave)
{
    const QByteArray options = "[Option]\nConnection=Evening ISP\nCheckEvery=1\nCheckTime=2.5 hrs\n"
                               "CheckAuto=1\nDisconnect=1\nUnload=1\nTimeAway=abc\nBeep=True\n"
                               "TimeZone=17\nLastUpdate=5/14/2026 9:41:30 AM\n";
    const auto form = load(options, false, 59, {QStringLiteral("Office"), QStringLiteral("Evening ISP")});
    EXPECT_EQ(form->design().cboEntries->currentIndex(), 1);
    EXPECT_TRUE(form->design().mnuBeep->isChecked());
    form->SaveOptions();

    EXPECT_EQ(saved(Option::Connection), QStringLiteral("Evening ISP"));
    EXPECT_EQ(saved(Option::CheckEvery), QStringLiteral("1"));
    EXPECT_EQ(saved(Option::CheckTime), QStringLiteral("2.5 hrs"));
    EXPECT_EQ(saved(Option::CheckAuto), QStringLiteral("1"));
    EXPECT_EQ(saved(Option::Disconnect), QStringLiteral("1"));
    EXPECT_EQ(saved(Option::Unload), QStringLiteral("1"));
    EXPECT_EQ(saved(Option::TimeAway), QStringLiteral("abc"));
    EXPECT_EQ(saved(Option::Beep), QStringLiteral("True"));
    EXPECT_EQ(saved(Option::TimeZone), QStringLiteral("17"));
    EXPECT_EQ(saved(Option::LastUpdate), QStringLiteral("5/14/2026 9:41:30 AM"));
}

TEST_F(Form1Test, SavingWritesTheControlsButNeverTheLastUpdate)
{
    const auto form = load("[Option]\nLastUpdate=garbage\n", false, 59);
    const Form1Design& ui = form->design();
    ui.chkTime->click();
    ui.TxtTime->setText(QStringLiteral("6"));
    ui.mnuBeep->trigger();
    ui.cboTimeZone->setCurrentIndex(58);
    ui.cboEntries->setEditText(QStringLiteral("Typed by hand"));
    form->SaveOptions();

    EXPECT_EQ(saved(Option::CheckEvery), QStringLiteral("1"));
    EXPECT_EQ(saved(Option::CheckTime), QStringLiteral("6"));
    EXPECT_EQ(saved(Option::Beep), QStringLiteral("True"));
    EXPECT_EQ(saved(Option::TimeZone), QStringLiteral("58"));
    EXPECT_EQ(saved(Option::Connection), QStringLiteral("Typed by hand"));
    EXPECT_EQ(saved(Option::LastUpdate), QStringLiteral("garbage"));
}

TEST_F(Form1Test, ClosingTheWindowSavesTheOptions)
{
    const auto form = load(QByteArray(), true);
    form->design().ChkDisconnect->setChecked(true);
    form->close();
    EXPECT_EQ(saved(Option::Disconnect), QStringLiteral("1"));
    EXPECT_EQ(saved(Option::TimeZone), QStringLiteral("-1"));
}

TEST_F(Form1Test, UnreadableValuesFallBackToTheirDefaults)
{
    const auto form = load("[Option]\nCheckEvery=yes\nCheckAuto=70000\nDisconnect=-1\nUnload=1.5x\n"
                           "Beep=maybe\nTimeZone=99\n",
                           false, 10);
    const Form1Design& ui = form->design();
    EXPECT_EQ(ui.chkTime->checkState(), Qt::Unchecked);
    EXPECT_EQ(ui.chkAutoConnect->checkState(), Qt::Unchecked);
    EXPECT_EQ(ui.ChkDisconnect->checkState(), Qt::Unchecked);
    EXPECT_EQ(ui.chkUnload->checkState(), Qt::Unchecked);
    EXPECT_FALSE(ui.mnuBeep->isChecked());
    EXPECT_EQ(ui.cboTimeZone->currentIndex(), -1);
}

TEST_F(Form1Test, DamagedFilesKeepTheirReadableValues)
{
    const QByteArray readable = "CheckEvery=1\nCheckTime=5\nTimeAway=3\nBeep=true\n"
                                "LastUpdate=5/14/2026 9:41:30 AM\n";
    const QByteArray damages[] = {
        "[Option]\n" + readable + "this line has no equals sign\n=\n[[[\n",
        QByteArray("\x00\xff\xfe\x01\n", 5) + "[Option]\n" + readable + QByteArray("\x7f\x00\x80junk\n", 9),
        "[Option\nBroken=1\n[Option]\n" + readable,
        QByteArray("\xff\xfe\x00garbage\n[Opt\n", 16) + "[Option]\n" + readable,
    };
    for (const QByteArray& damaged : damages) {
        const auto form = load(damaged);
        EXPECT_EQ(form->design().TxtTime->text(), QStringLiteral("5"));
        form->SaveOptions();
        EXPECT_EQ(form->design().lstConnectState->count(), 1);
        EXPECT_EQ(saved(Option::CheckEvery), QStringLiteral("1"));
        EXPECT_EQ(saved(Option::CheckTime), QStringLiteral("5"));
        EXPECT_EQ(saved(Option::TimeAway), QStringLiteral("3"));
        EXPECT_EQ(saved(Option::Beep), QStringLiteral("True"));
        EXPECT_EQ(saved(Option::LastUpdate), QStringLiteral("5/14/2026 9:41:30 AM"));
    }
}

TEST_F(Form1Test, AnUnwritableStoreGivesOneStatusLine)
{
    file.write("not a folder");
    OptionStore unwritable(QDir(file.path()).filePath(QStringLiteral("Korvel.ini")));
    Form1 form(StartupState{}, unwritable);
    form.Form_Load();
    form.SaveOptions();
    const QListWidget* list = form.design().lstConnectState;
    ASSERT_EQ(list->count(), 2);
    EXPECT_TRUE(list->item(1)->text().startsWith(QStringLiteral("Options not saved")));
}

TEST_F(Form1Test, StatusLinesSelectTheNewestAndGoToTheLog)
{
    const auto form = load(QByteArray());
    capturedStatus.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureStatus);
    form->AddStatusLine(QStringLiteral("first"));
    form->AddStatusLine(QStringLiteral("second"));
    qInstallMessageHandler(previous);

    const QListWidget* list = form->design().lstConnectState;
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_TRUE(list->item(2)->isSelected());
    EXPECT_EQ(capturedStatus, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
}

TEST_F(Form1Test, ConnectionMissingFromTheListKeepsItsName)
{
    const auto form = load("[Option]\nConnection=Gone\n", false, 0, {QStringLiteral("gone")});
    EXPECT_EQ(form->design().cboEntries->currentIndex(), -1);
    form->SaveOptions();
    EXPECT_EQ(saved(Option::Connection), QStringLiteral("Gone"));
}
