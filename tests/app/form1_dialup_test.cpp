#include "app/form1.h"
#include "app/optionstore.h"
#include "net/backendselector.h"
#include "form1fakes.h"
#include "optionfile.h"
#include "support/networkmanagermock.h"
#include "support/privatesystembus.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

// The window's dial-up area against NetworkManager played by dbusmock.
class Form1DialUpTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mock.errorText().isEmpty()) << qPrintable(mock.errorText());
        mock.addModemDevice();
        for (const char* id : {"A", "B", "C"})
            profiles.append(mock.addProfile(QString::fromLatin1(id)));
        mock.addProfile(QStringLiteral("Office LAN"), QStringLiteral("802-3-ethernet"));
    }

    Form1& load(const QByteArray& options)
    {
        file.write(options);
        store = std::make_unique<OptionStore>(file.path());
        StartupState startup;
        startup.m_sLastUpdate = store->read(Option::LastUpdate);
        form = std::make_unique<Form1>(
            startup, *store, testServices(std::make_shared<BackendSelector>(bus.connect(QStringLiteral("korvel")))));
        form->Form_Load();
        return *form;
    }

    QString lastStatus() const
    {
        const QListWidget* list = form->design().lstConnectState;
        return list->currentItem() ? list->currentItem()->text() : QString();
    }

    PrivateSystemBus bus;
    NetworkManagerMock mock{bus};
    QStringList profiles;
    OptionFile file;
    std::unique_ptr<OptionStore> store;
    std::unique_ptr<Form1> form;
};

TEST_F(Form1DialUpTest, ListsTheDialUpProfilesAndSelectsTheStoredOne)
{
    const Form1Design& ui = load("[Option]\nConnection=B\nCheckAuto=1\n").design();
    ASSERT_EQ(ui.cboEntries->count(), 3);
    EXPECT_EQ(ui.cboEntries->itemText(0) + ui.cboEntries->itemText(1) + ui.cboEntries->itemText(2),
              QStringLiteral("ABC"));
    EXPECT_EQ(ui.cboEntries->currentText(), QStringLiteral("B"));
    EXPECT_TRUE(ui.CmdConnect->isEnabled());
    EXPECT_EQ(lastStatus(), QStringLiteral("Last update was on - 0:00:00"));
}

TEST_F(Form1DialUpTest, ConnectDialsTheSelectedEntryAndDisconnectHangsUpOnlyThat)
{
    const Form1Design& ui = load("[Option]\nConnection=B\nCheckAuto=1\n").design();
    const QString othersConnection = mock.addActiveConnection(profiles[0], QStringLiteral("A"));
    // The mock leaves the manager's state alone when a profile comes up, so
    // the test sets what NetworkManager reports once the modem is online.
    mock.setState(NetworkManagerMock::StateConnectedGlobal);
    mock.setPrimaryConnection(othersConnection, QStringLiteral("gsm"));

    ui.CmdConnect->click();
    ASSERT_EQ(mock.activeConnections().size(), 2) << "B was activated";
    EXPECT_EQ(ui.lstConnectState->count(), 1) << "Connect starts a fresh status list";
    EXPECT_EQ(lastStatus(), QStringLiteral("Status: Connected - Modem"));
    EXPECT_FALSE(ui.CmdConnect->isEnabled());
    EXPECT_TRUE(ui.CmdDisconnect->isVisibleTo(form.get()) && ui.CmdDisconnect->isEnabled());
    EXPECT_FALSE(ui.CmdConnect->isVisibleTo(form.get()));

    ui.CmdDisconnect->click();
    EXPECT_EQ(mock.activeConnections(), QStringList{othersConnection});
    EXPECT_EQ(lastStatus(), QStringLiteral("Status: Disconnected"));
    EXPECT_TRUE(ui.CmdConnect->isVisibleTo(form.get()) && ui.CmdConnect->isEnabled());
    EXPECT_FALSE(ui.CmdDisconnect->isVisibleTo(form.get()));

    // Nothing of Korvel's is up any more: the other connection stays.
    form->CmdDisconnect_Click();
    EXPECT_EQ(lastStatus(), QStringLiteral("I can only disconnect from connections I made."));
    EXPECT_EQ(mock.activeConnections(), QStringList{othersConnection});
}

TEST_F(Form1DialUpTest, ADialThatBringsNoConnectionCanStillBeUndoneAndAFailedUndoOnlySaysSo)
{
    const Form1Design& ui = load("[Option]\nConnection=C\n").design();
    mock.setState(NetworkManagerMock::StateDisconnected);
    ui.CmdConnect->click();
    EXPECT_EQ(ui.lstConnectState->count(), 1);
    EXPECT_EQ(lastStatus(), QStringLiteral("Status: No Connection Found"));
    EXPECT_TRUE(ui.CmdConnect->isEnabled());
    EXPECT_TRUE(ui.CmdDisconnect->isVisibleTo(form.get())) << "C is up as far as NetworkManager knows";

    // The line drops by itself: nothing is left to hang up, and nothing but
    // the status line changes.
    mock.deactivate(mock.activeConnections().value(0));
    ui.CmdDisconnect->click();
    EXPECT_EQ(lastStatus(), QStringLiteral("I can only disconnect from connections I made."));
    EXPECT_TRUE(ui.CmdDisconnect->isVisibleTo(form.get()) && ui.CmdDisconnect->isEnabled());
    EXPECT_FALSE(ui.CmdConnect->isVisibleTo(form.get()));
}
