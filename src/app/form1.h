#pragma once

#include "app/form1services.h"
#include "app/startuprule.h"
#include "app/updateschedule.h"
#include "ui/form1design.h"
#include "ui/timezonelist.h"

#include <QMainWindow>

#include <memory>

class CNetConnect;
class CWinInetConnection;
class KorvelControl;
class OptionStore;
class frmSysTray;

// The main window: its controls are the working copy of the stored options
// from load to unload. It sets the clock on a click and on its schedule.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    Form1(const StartupState& startup, OptionStore& store, Form1Services services, QWidget* parent = nullptr);
    ~Form1() override;

    const Form1Design& design() const;
    KorvelControl& korvel() const;
    frmSysTray* trayForm() const;

    // Builds the window's working state from the stored options and arms
    // the scheduler.
    void Form_Load();
    // Writes the nine options from the controls; never "LastUpdate".
    void SaveOptions();
    // Appends a line to the status list, selects it and logs it.
    void AddStatusLine(const QString& line, bool select = true);

    // Refills the dial-up entry list from the system's connection profiles.
    void LoadEntries();
    void CmdConnect_Click();
    void CmdDisconnect_Click();

    // One update of the PC clock: makes sure of a connection, then asks the
    // time servers.
    void cmdSetTime_Click();
    // The scheduler's tick: countdown, leave rule, due rule.
    void Timer1_Timer();
    void ShowCountdown(UpdateSchedule::Variant variant);

    // Every way of ending goes through here: saves the options, removes the
    // tray icon and ends the program.
    void Form_Unload();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // F1 opens help at the focused control's context.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Korvel1_Done();
    void Korvel1_Error(QString& ErrorDescription, int& ErrorNumber);
    bool setClock(qint64 adjustmentUsec);
    void hangUpAfterUpdate();
    // Stores "LastUpdate" and says so in the status list.
    void recordLastUpdate(const QString& text);
    void chkTime_Click();
    void chkAutoConnect_Click();
    void TxtTime_LostFocus();
    bool connectionForUpdate();
    void askForConnectionName();
    void loadOptionsIntoControls();
    void showAtStart();
    void createTrayForm();
    void buildTrayMenu();
    // Minimising puts the window into the tray; showing it starts the clock face.
    void Form_Resize();
    void m_frmSysTray_MenuClick(qint32 lIndex, const QString& sKey);
    void m_frmSysTray_SysTrayDoubleClick(int eButton);
    void m_frmSysTray_SysTrayMouseDown(int eButton);
    void createConnectionObjects();
    void loadDialUpEntries();
    // Korvel's own dial-ups can be hung up from the window: the Disconnect
    // button takes the Connect button's place while one is up.
    void showDisconnectInstead(bool show);
    static void DisableControl(QWidget* ctl);
    static void EnableControl(QWidget* ctl);
    void selectStoredConnection();
    void selectStoredTimeZone();
    void cboTimeZone_Click();
    void setTrayToolTip(const QString& tip);
    bool automaticUpdatesOn() const;
    // Out of the user's sight: hidden in the tray, or minimised where there is no tray.
    bool inTray() const;

    Form1Design ui;
    KorvelControl* Korvel1 = nullptr;
    std::unique_ptr<frmSysTray> m_frmSysTray;
    OptionStore& m_store;
    Form1Services m_services;
    std::unique_ptr<CWinInetConnection> m_WinInetConnection;
    std::unique_ptr<CNetConnect> m_NetConnect;
    TimeZoneList::Offsets m_ZoneOffsets{};
    QString m_sLastUpdate;
    qint32 m_lMinutesElapsed;
    bool m_bStartedWithLoad;
    bool AskedForConnection = false;
    // Set while the scheduler presses "Set Time", so the update knows it
    // was not asked for by the user.
    bool m_bAutomaticUpdate = false;
    // The user refused to authorise an automatic update: automatic updates
    // stop asking until the user presses "Set Time".
    bool m_bAutomaticUpdatesHeld = false;
    // The received local time that was put on the clock, as stored; empty
    // when the last answer was not.
    QString m_sAppliedUpdate;
    bool m_bUnloaded = false;
};
