#include "app/form1.h"
#include "app/optionstore.h"
#include "net/backendselector.h"
#include "form1fakes.h"
#include "optionfile.h"
#include "timeclient/korvelcontrol.h"
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

// A system bus that is not there: no NetworkManager, so no dial-up support.
std::shared_ptr<ConnectionBackend> withoutNetworkManager()
{
    return std::make_shared<BackendSelector>(
        QDBusConnection::connectToBus("unix:path=/nonexistent/korvel-test-bus", "absent-bus"));
}

class Form1Test : public testing::Test
{
protected:
    // Loads a window from the given file.
    Form1& load(const QByteArray& options, bool startedWithLoad = false, const QStringList& entries = {})
    {
        form.reset();
        if (!options.isNull())
            file.write(options);
        store = std::make_unique<OptionStore>(file.path());
        StartupState startup;
        startup.m_sLastUpdate = store->read(Option::LastUpdate);
        startup.m_bStartedWithLoad = startedWithLoad;
        form = std::make_unique<Form1>(startup, *store, testServices(withoutNetworkManager()));
        form->design().cboEntries->addItems(entries);
        form->Form_Load();
        return *form;
    }

    QString saved(const OptionKey& key) const { return OptionStore(file.path()).read(key); }

    static QStringList statusLines(const Form1& window)
    {
        QStringList lines;
        for (int row = 0; row < window.design().lstConnectState->count(); ++row)
            lines.append(window.design().lstConnectState->item(row)->text());
        return lines;
    }

    OptionFile file;
    std::unique_ptr<OptionStore> store;
    std::unique_ptr<Form1> form;
};

} // namespace

TEST_F(Form1Test, FirstRunShowsTheDefaultsAndWritesNothing)
{
    const Form1Design& ui = load(QByteArray()).design();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ui.TxtTime->text() + ui.txtAway->text(), QStringLiteral("24"));
    for (const QCheckBox* box : std::initializer_list<const QCheckBox*>{
             ui.chkTime, ui.chkAutoConnect, ui.ChkDisconnect, ui.chkUnload})
        EXPECT_EQ(box->checkState(), Qt::Unchecked);
    EXPECT_FALSE(ui.mnuBeep->isChecked());
    EXPECT_FALSE(ui.fraTime->isEnabled() || ui.fraAutoConnect->isEnabled());
    EXPECT_EQ(ui.cboTimeZone->currentIndex(), 0);
    EXPECT_DOUBLE_EQ(form->korvel().OffSet(), 4.5) << "the first zone's offset reaches the clock";
    EXPECT_EQ(ui.cboEntries->currentIndex(), -1);
    EXPECT_EQ(statusLines(*form), (QStringList{"Last update was on - 0:00:00", "Status: NO RAS"}));
    EXPECT_FALSE(ui.CmdConnect->isEnabled());
    EXPECT_FALSE(file.exists());
}

TEST_F(Form1Test, StoredStatesDriveTheEnableRules)
{
    // "CheckEvery" holds the box's state and "CheckTime" its hours; 2 is grayed.
    const Form1Design& ui = load("[Option]\nCheckEvery=2\nCheckTime=7\nCheckAuto=1\n").design();
    EXPECT_EQ(ui.chkTime->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(ui.TxtTime->text(), QStringLiteral("7"));
    const QWidget* const fields[] = {ui.fraTime,        ui.TxtTime,       ui.chkUnload, ui.txtAway,
                                     ui.fraAutoConnect, ui.ChkDisconnect, ui.cboEntries};
    for (const QWidget* widget : fields)
        EXPECT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();

    ui.chkTime->setCheckState(Qt::Unchecked);
    ui.chkAutoConnect->click();
    EXPECT_FALSE(ui.txtAway->isEnabled() || ui.fraTime->isEnabled());
    EXPECT_FALSE(ui.cboEntries->isEnabled() || ui.fraAutoConnect->isEnabled());
}

TEST_F(Form1Test, EveryOptionSurvivesLoadAndSaveExceptTheLastUpdateIsNotWritten)
{
    const QByteArray options = "[Option]\nConnection=Evening ISP\nCheckEvery=2\nCheckTime=2.5 hrs\n"
                               "CheckAuto=1\nDisconnect=1\nUnload=1\nTimeAway=abc\nBeep=True\n"
                               "TimeZone=17\nLastUpdate=garbage\n";
    const Form1Design& ui =
        load(options, false, {QStringLiteral("Office"), QStringLiteral("Evening ISP")}).design();
    EXPECT_EQ(ui.cboEntries->currentIndex(), 1);
    form->SaveOptions();
    const std::pair<OptionKey, const char*> expected[] = {
        {Option::Connection, "Evening ISP"}, {Option::CheckEvery, "2"}, {Option::CheckTime, "2.5 hrs"},
        {Option::CheckAuto, "1"}, {Option::Disconnect, "1"}, {Option::Unload, "1"}, {Option::TimeAway, "abc"},
        {Option::Beep, "True"}, {Option::TimeZone, "17"}, {Option::LastUpdate, "garbage"}};
    for (const auto& [key, text] : expected)
        EXPECT_EQ(saved(key), QLatin1String(text)) << key.name;

    // Changes made in the window are what the next save writes.
    ui.mnuBeep->trigger();
    ui.cboTimeZone->setCurrentIndex(-1);
    ui.cboEntries->setEditText(QStringLiteral("Typed by hand"));
    form->close();
    EXPECT_EQ(saved(Option::Beep), QStringLiteral("False"));
    EXPECT_EQ(saved(Option::TimeZone), QStringLiteral("-1"));
    EXPECT_EQ(saved(Option::Connection), QStringLiteral("Typed by hand"));
}

TEST_F(Form1Test, UnattendedStartStaysHiddenAndKeepsAConnectionNotInTheList)
{
    load("[Option]\nConnection=Gone\n", true, {QStringLiteral("gone")});
    EXPECT_TRUE(form->isMinimized() || !form->isVisible()) << "out of sight: hidden, or minimised without a tray";
    EXPECT_EQ(form->design().cboEntries->currentIndex(), -1);
    form->SaveOptions();
    EXPECT_EQ(saved(Option::Connection), QStringLiteral("Gone"));
}

TEST_F(Form1Test, DamagedFilesKeepTheirReadableValues)
{
    const QByteArray readable = "CheckEvery=1\nCheckTime=5\nBeep=true\nLastUpdate=5/14/2026 9:41:30 AM\n";
    const QByteArray damages[] = {
        "[Option]\n" + readable + "this line has no equals sign\n=\n[[[\n",
        QByteArray("\x00\xff\xfe\x01\n", 5) + "[Option]\n" + readable + QByteArray("\x7f\x00\x80junk\n", 9),
        QByteArray("\xff\xfe\x00garbage\n[Opt\n", 16) + "[Option]\n" + readable,
    };
    for (const QByteArray& damaged : damages) {
        load(damaged).SaveOptions();
        EXPECT_EQ(form->design().lstConnectState->count(), 2) << "no line about the save";
        EXPECT_EQ(saved(Option::CheckEvery) + saved(Option::CheckTime) + saved(Option::Beep),
                  QStringLiteral("15True"));
        EXPECT_EQ(saved(Option::LastUpdate), QStringLiteral("5/14/2026 9:41:30 AM"));
    }
}

TEST_F(Form1Test, AnUnwritableFileGivesOneStatusLineWhichIsSelected)
{
    file.write("not a folder");
    OptionStore unwritable(QDir(file.path()).filePath("Korvel.ini"));
    Form1 window(StartupState{}, unwritable, testServices(withoutNetworkManager()));
    window.Form_Load();
    window.SaveOptions();
    const QStringList lines = statusLines(window);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].startsWith("Options not saved: cannot write")) << qPrintable(lines[2]);
    EXPECT_TRUE(window.design().lstConnectState->item(2)->isSelected());
}
