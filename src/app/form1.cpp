// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form1.h"

#include "app/form1report.h"
#include "app/networktimeitem.h"
#include "app/traypresence.h"
#include "clockset/clocksetter.h"
#include "net/cwininetconnection.h"
#include "net/dialupentries.h"
#include "options/optionconversion.h"
#include "options/optionstore.h"
#include "schedule/lastupdatetext.h"
#include "timeclient/korvelcontrol.h"
#include "tray/cmouse.h"
#include "tray/frmsystray.h"
#include "ui/clockface.h"
#include "ui/contextids.h"
#include "ui/controlenabling.h"
#include "ui/controlpanel.h"
#include "ui/fittedcheckbox.h"
#include "ui/hoursfieldbehaviour.h"
#include "update/dialupsession.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

Form1::Form1(const StartupState& startup, OptionStore& store, Form1Services services, QWidget* parent)
    : QMainWindow(parent)
    , m_store(store)
    , m_services(std::move(services))
    , m_sLastUpdate(startup.m_sLastUpdate)
    , m_lMinutesElapsed(startup.m_lMinutesElapsed)
    , m_bStartedWithLoad(startup.m_bStartedWithLoad)
{
    m_services.completeWithSystem();
    m_report = std::make_unique<Form1Report>(ui, *m_services.prompts, this);
    Korvel1 = new KorvelControl(this);
    Korvel1->setObjectName(QStringLiteral("Korvel1"));
    // Idle until the scheduler gives it an interval and starts it.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(0);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
}

void Form1::buildControls()
{
    ui.setupUi(this);
    // A state set from code runs the click handling too, as a user's click does.
    connect(ui.chkTime, &QCheckBox::stateChanged, this, &Form1::chkTime_Click);
    connect(ui.chkAutoConnect, &QCheckBox::stateChanged, this, &Form1::chkAutoConnect_Click);
    connect(ui.cmdSetTime, &QPushButton::clicked, this, &Form1::cmdSetTime_Click);
    connect(ui.CmdConnect, &QPushButton::clicked, this, &Form1::CmdConnect_Click);
    connect(ui.CmdDisconnect, &QPushButton::clicked, this, &Form1::CmdDisconnect_Click);
    // A choice made from code runs the click handling too, as the user's does.
    connect(ui.cboTimeZone, &QComboBox::currentIndexChanged, this, &Form1::cboTimeZone_Click);
    connect(ui.helpf, &QAction::triggered, this, [] { ContextIDs::PressHelpKey(); });
    connect(ui.Zone, &QAction::triggered, this, [] { ControlPanel().open(ControlPanel::Page::TimeZone); });
    connect(ui.Regional, &QAction::triggered, this, [] { ControlPanel().open(ControlPanel::Page::Regional); });
    m_options.saveOnEveryChange(this, [this] { SaveOptions(); });
    ui.CF1->setTimeSource([this] { return Korvel1->SecondaryTime().toDateTime(); });
    new HoursFieldBehaviour(this, {ui.TxtTime, ui.txtAway}, [this](QLineEdit* field) {
        if (field == ui.TxtTime)
            TxtTime_LostFocus();
    });
}

void Form1::buildWindow()
{
    buildControls();
    if (m_dialUp->connection().IsRasInstalled())
        LoadEntries();
    TimeZoneList::fill(ui.cboTimeZone, m_ZoneOffsets);
    m_options.showInControls();
    ui.chkUnload->setText(m_countdownCaption);
    m_history->addWindowItem(ui.mnuHistory);
    m_networkTimeItem->showOn(ui.mnuNetworkTime);
    ContextIDs::InitHelp(this);
    m_report->controlsBuilt();
}

Form1::~Form1() = default;

frmSysTray* Form1::trayForm() const
{
    return m_tray ? &m_tray->icon() : nullptr;
}

void Form1::Form_Load()
{
    m_tray = std::make_unique<TrayPresence>(*this, m_services.trayAvailable());
    connect(m_tray.get(), &TrayPresence::showRequested, this, &Form1::ShowFromTray);
    connect(m_tray.get(), &TrayPresence::closeRequested, this, &Form1::Form_Unload);
    m_dialUp = std::make_unique<DialUpSession>(m_services.backend, *m_report);
    m_update = std::make_unique<ClockUpdate>(*Korvel1, *m_services.clockSetter, *m_services.networkTime, *m_dialUp,
                                             m_store, *m_report, m_services.buildDay, this);
    // The tray tip says whether automatic updates are held.
    connect(m_update.get(), &ClockUpdate::automaticUpdatesHeldChanged, this,
            [this] { ShowCountdown(UpdateSchedule::Variant::Tick); });
    AddStatusLine(LastUpdateText::statusLine(m_sLastUpdate));
    if (const QString problem = m_store.readProblem(); !problem.isEmpty())
        AddStatusLine(problem);
    m_options.load();
    ShowCountdown(UpdateSchedule::Variant::AtLoad);
    buildTrayMenu();

    // The hourglass stays until the load returns; setting it lets the
    // pending events run once.
    CMouse mouse;
    mouse.SetPointer(CMouse::Hourglass);

    if (!m_dialUp->connection().IsRasInstalled())
        m_dialUp->noDialUp();
    // Also without dial-up support, so the stored name survives the next save.
    m_options.selectStored(Option::Connection);
    if (const QString obstacle = m_services.clockSetter->obstacle(); !obstacle.isEmpty())
        AddStatusLine(LocalizedText::translate("Form1", "Status: The clock cannot be set: %1").arg(obstacle));
    m_networkTimeItem = std::make_unique<NetworkTimeItem>(*m_services.networkTime, *m_report);
    m_options.selectStored(Option::TimeZone, TimeZoneList::kEntryCount);
    // A start into the tray builds the controls when the window is first shown.
    if (!m_bStartedWithLoad || !m_services.trayAvailable())
        buildWindow();
    showAtStart();
    Timer1->start(UpdateSchedule::kFirstTickMsecs);
}

void Form1::showAtStart()
{
    if (!m_bStartedWithLoad)
        show();
    else if (m_services.trayAvailable())
        setWindowState(Qt::WindowMinimized); // in the tray: minimised and hidden
    else
        showMinimized(); // without a tray, hidden would be out of reach
}

void Form1::SaveOptions()
{
    if (const QString problem = m_options.save(); !problem.isEmpty())
        AddStatusLine(problem);
}

void Form1::cmdSetTime_Click()
{
    runUpdate(ClockUpdate::AskedBy::User);
}

void Form1::runUpdate(ClockUpdate::AskedBy askedBy)
{
    const ClockUpdate::Result result = m_update->run(m_options.updateRequest(askedBy, scheduledMinutesElapsed()));
    if (result.outcome != ClockUpdate::Outcome::Applied) {
        m_retry.failed(result.outcome == ClockUpdate::Outcome::NotSet, result.failure,
                       m_options.text(Option::CheckTime));
        ShowCountdown(UpdateSchedule::Variant::Tick);
        return;
    }
    m_retry.succeeded();
    m_sLastUpdate = m_store.read(Option::LastUpdate); // said by the update
    if (UpdateSchedule::leavesAfterUpdate(m_options.tickState(m_bStartedWithLoad, 0, false), !m_report->inSight())) {
        SaveOptions();
        Form_Unload();
        return;
    }
    m_lMinutesElapsed = StartupRule::minutesSince(result.appliedUtc);
    ShowCountdown(UpdateSchedule::Variant::Tick);
}

void Form1::Timer1_Timer()
{
    Timer1->stop();
    Timer1->setInterval(UpdateSchedule::kTickMsecs);

    const StartupRule::LastUpdateReading lastUpdate = StartupRule::readLastUpdate(m_store);
    // An unchanged last update is not said again, so the line before it stays in sight.
    const bool changed = lastUpdate.text != m_sLastUpdate;
    m_sLastUpdate = lastUpdate.text;
    m_lMinutesElapsed = lastUpdate.minutesElapsed;
    if (lastUpdate.wasDate && changed)
        AddStatusLine(LastUpdateText::statusLine(m_sLastUpdate));
    ShowCountdown(UpdateSchedule::Variant::Tick);
    m_update->rewriteLastUpdate();

    const bool mustWait = m_update->automaticUpdatesHeld() || m_update->busy();
    const UpdateSchedule::TickState tick = m_options.tickState(m_bStartedWithLoad, scheduledMinutesElapsed(), mustWait);
    switch (UpdateSchedule::tickAction(tick)) {
    case UpdateSchedule::TickAction::Leave:
        Form_Unload();
        return;
    case UpdateSchedule::TickAction::Update:
        runUpdate(ClockUpdate::AskedBy::Schedule);
        if (m_bUnloaded)
            return;
        break;
    case UpdateSchedule::TickAction::Wait:
        break;
    }
    if (UpdateSchedule::ticksOn(tick))
        Timer1->start(UpdateSchedule::kTickMsecs);
}

void Form1::ShowCountdown(UpdateSchedule::Variant variant)
{
    const UpdateSchedule::Countdown countdown = UpdateSchedule::countdown(
        variant, m_countdownCaption, m_options.text(Option::CheckTime), scheduledMinutesElapsed(), Timer1->interval(),
        m_retry.reason(), m_update && m_update->automaticUpdatesHeld());
    m_countdownCaption = countdown.caption;
    if (built())
        ui.chkUnload->setText(countdown.caption);
    if (variant != UpdateSchedule::Variant::AtLoad)
        setTrayToolTip(countdown.toolTip);
}

qint32 Form1::scheduledMinutesElapsed() const
{
    return m_retry.scheduledMinutesElapsed(m_lMinutesElapsed, m_options.text(Option::CheckTime));
}

void Form1::setTrayToolTip(const QString& tip)
{
    if (m_tray)
        m_tray->icon().setToolTip(m_history ? m_history->withDrift(tip) : tip);
}

void Form1::TxtTime_LostFocus()
{
    // The field shows the hours the schedule uses.
    ui.TxtTime->setText(UpdateSchedule::hoursText(ui.TxtTime->text()));
    ShowCountdown(UpdateSchedule::Variant::LeaveHours);
}

void Form1::buildTrayMenu()
{
    m_tray->addShowItem();
    m_history = std::make_unique<HistoryItems>(m_tray->icon(), m_update->history(), this);
    m_tray->completeMenu();
}

void Form1::ShowFromTray()
{
    if (!built())
        buildWindow();
    m_tray->showWindow();
}

bool Form1::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    const QEvent::Type type = event->type();
    // Sizing a hidden window does not show it.
    if (type == QEvent::WindowStateChange || type == QEvent::Show || (type == QEvent::Resize && isVisible()))
        Form_Resize();
    return handled;
}

void Form1::Form_Resize()
{
    // On show the clock face runs.
    if (m_tray && m_tray->followWindowState() && built())
        ui.CF1->setTimerI(1000);
}

void Form1::LoadEntries()
{
    ui.cboEntries->clear();
    QStringList entries;
    DialUpEntries::DUN_Services(entries, *m_services.backend);
    ui.cboEntries->addItems(entries);
}

void Form1::CmdConnect_Click()
{
    m_dialUp->Connect(ui.cboEntries->currentText());
}

void Form1::CmdDisconnect_Click()
{
    if (m_dialUp->Disconnect())
        ControlEnabling::EnableControl(ui.cboEntries);
}

void Form1::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void Form1::chkTime_Click()
{
    const bool on = OptionConversion::enables(ui.chkTime->checkState());
    ui.fraTime->setEnabled(on);
    ui.TxtTime->setEnabled(on);
    ui.chkUnload->setEnabled(on);
    ui.txtAway->setEnabled(on);
}

void Form1::chkAutoConnect_Click()
{
    const bool on = OptionConversion::enables(ui.chkAutoConnect->checkState());
    ui.fraAutoConnect->setEnabled(on);
    ui.ChkDisconnect->setEnabled(on);
    ui.cboEntries->setEnabled(on);
}

void Form1::cboTimeZone_Click()
{
    if (const auto offset = TimeZoneList::offsetForIndex(ui.cboTimeZone->currentIndex(), m_ZoneOffsets))
        Korvel1->setOffSet(*offset);
    // Long zone names read from their start.
    ui.cboTimeZone->lineEdit()->setCursorPosition(0);
}

void Form1::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        ContextIDs::ShowHelp(ContextIDs::helpContextFor(focusWidget(), this));
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Form1::Form_Unload()
{
    if (m_bUnloaded)
        return;
    m_bUnloaded = true;
    Timer1->stop();
    ContextIDs::QuitHelp();
    if (built())
        ui.CF1->setTimerI(0);
    SaveOptions();
    m_tray->remove();
    m_tray.reset();
    // The connection objects go with the window: an update may still be
    // unwinding below this call when the program's end is not immediate.
    m_services.endProgram();
}

