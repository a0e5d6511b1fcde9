// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/form1report.h"
#include "app/form1services.h"
#include "app/optioncontrols.h"
#include "historywindow/historyitems.h"
#include "schedule/updateretry.h"
#include "schedule/updateschedule.h"
#include "startup/startuprule.h"
#include "ui/form1design.h"
#include "ui/timezonelist.h"
#include "update/clockupdate.h"

#include <QMainWindow>

#include <memory>

class DialUpSession;
class KorvelControl;
class NetworkTimeItem;
class OptionStore;
class QTimer;
class TrayPresence;
class frmSysTray;

// The main window: its controls are the working copy of the stored options
// from load to unload. They are built at the end of the load, or, on a start
// into the tray, when the window is first shown; until then the options, the
// status lines and the countdown are held without them. It sets the clock on
// a click and on its schedule, through ClockUpdate, which reports on the
// window through Form1Report.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    Form1(const StartupState& startup, OptionStore& store, Form1Services services, QWidget* parent = nullptr);
    ~Form1() override;

    const Form1Design& design() const { return ui; }
    KorvelControl& korvel() const { return *Korvel1; }
    frmSysTray* trayForm() const;
    QTimer* timer1() const { return Timer1; }

    // Builds the window's working state from the stored options and arms
    // the scheduler.
    void Form_Load();
    // Writes the options from the controls (only those that changed since
    // they were read or written); never "LastUpdate". Runs at every change
    // the user makes and at unload.
    void SaveOptions();
    // Appends a line to the status list, selects it and logs it.
    void AddStatusLine(const LocalizedText& line, bool select = true) { m_report->addStatusLine(line, select); }

    // Refills the dial-up entry list from the system's connection profiles.
    void LoadEntries();
    void CmdConnect_Click();
    void CmdDisconnect_Click();

    // The user asks for an update of the PC clock.
    void cmdSetTime_Click();
    // The scheduler's tick: countdown, leave rule, due rule.
    void Timer1_Timer();
    void ShowCountdown(UpdateSchedule::Variant variant);

    // Every way of ending goes through here: saves the options, removes the
    // tray icon and ends the program.
    void Form_Unload();
    // Brings the window up in its normal state and in front, from the tray
    // or from wherever it is.
    void ShowFromTray();

protected:
    void closeEvent(QCloseEvent* event) override;
    // A change of state or size, or the window showing, runs Form_Resize.
    bool event(QEvent* event) override;
    // F1 opens help at the focused control's context.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The controls and their handlers.
    void buildControls();
    // The controls, with what was held for them.
    void buildWindow();
    bool built() const { return ui.clientArea != nullptr; }
    void runUpdate(ClockUpdate::AskedBy askedBy);
    void chkTime_Click();
    void chkAutoConnect_Click();
    void TxtTime_LostFocus();
    void showAtStart();
    void buildTrayMenu();
    // Minimising puts the window into the tray; showing it starts the clock face.
    void Form_Resize();
    void cboTimeZone_Click();
    void setTrayToolTip(const QString& tip);
    // What the countdown and the due rule count: the minutes since the last
    // update, held back while a failed update's pause lasts.
    qint32 scheduledMinutesElapsed() const;

    Form1Design ui;
    KorvelControl* Korvel1 = nullptr;
    QTimer* Timer1 = nullptr;
    // The "Unload at startup" caption with the countdown in it.
    QString m_countdownCaption = Form1Design::unloadCaption();
    std::unique_ptr<TrayPresence> m_tray;
    OptionStore& m_store;
    OptionControls m_options{ui, m_store};
    Form1Services m_services;
    std::unique_ptr<Form1Report> m_report;
    std::unique_ptr<DialUpSession> m_dialUp;
    std::unique_ptr<ClockUpdate> m_update;
    std::unique_ptr<NetworkTimeItem> m_networkTimeItem;
    std::unique_ptr<HistoryItems> m_history;
    UpdateRetry m_retry;
    TimeZoneList::Offsets m_ZoneOffsets{};
    QString m_sLastUpdate;
    qint32 m_lMinutesElapsed;
    bool m_bStartedWithLoad;
    bool m_bUnloaded = false;
};
