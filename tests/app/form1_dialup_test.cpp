// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1fixture.h"
#include "loopbacktimeserver.h"
#include "net/backendselector.h"
#include "support/networkmanagermock.h"
#include "support/privatesystembus.h"

#include <QPushButton>

class Form1DialUpTest : public Form1Fixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mock.errorText().isEmpty()) << qPrintable(mock.errorText());
        mock.addModemDevice();
        for (const char* id : {"A", "B", "C"})
            profiles.append(mock.addProfile(QString::fromLatin1(id)));
        mock.addProfile(QStringLiteral("Office LAN"), QStringLiteral("802-3-ethernet"));
        backend = std::make_shared<BackendSelector>(bus.connect(QStringLiteral("korvel")));
    }

    QString lastStatus() const
    {
        const QListWidget* list = form->design().lstConnectState;
        return list->currentItem() ? list->currentItem()->text() : QString();
    }

    PrivateSystemBus bus;
    NetworkManagerMock mock{bus};
    QStringList profiles;
};

TEST_F(Form1DialUpTest, ListsTheDialUpProfilesAndConnectDialsTheStoredOneAndDisconnectHangsUpOnlyThat)
{
    const Form1Design& ui = load("Connection=B\nCheckAuto=1\n").design();
    ASSERT_EQ(ui.cboEntries->count(), 3);
    EXPECT_EQ(ui.cboEntries->currentText(), QStringLiteral("B"));
    EXPECT_TRUE(lastStatus().startsWith(QStringLiteral("Last update was on - "))) << lastStatus().toStdString();
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
    const Form1Design& ui = load("Connection=C\n").design();
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

TEST_F(Form1DialUpTest, GlobalConnectivityNeedsNoTestSiteAndAProxyStillDoes)
{
    // A firewalled network: the test sites take connections and never answer.
    const auto silentSite = LoopbackTimeServer::silent();
    qputenv("KORVEL_TEST_SITES", ("http://" + silentSite->entry()).toUtf8());
    LoopbackTimeServer server(LoopbackTimeServer::answerFor(QDateTime::currentDateTimeUtc()));
    host = server.entry();
    mock.setPrimaryConnection(QStringLiteral("/"), QStringLiteral("802-3-ethernet"));
    mock.setState(NetworkManagerMock::StateConnectedGlobal);
    load("CheckEvery=1\nCheckTime=2\n");
    form->Timer1_Timer();
    EXPECT_EQ(clockSetter->adjustments.size(), 1);
    EXPECT_EQ(silentSite->questions(), 0) << "NetworkManager has checked the way out itself";

    // Where NetworkManager knows less, the sites decide.
    mock.setState(50); // connected, site only
    qputenv("KORVEL_TEST_SITES", ("http://" + LoopbackTimeServer::refusedEntry()).toUtf8());
    load("CheckEvery=1\nCheckTime=2\n").design().cmdSetTime->click();
    EXPECT_EQ(lines().last(), QStringLiteral("Status: Not Connected."));
    qunsetenv("KORVEL_TEST_SITES");
}
