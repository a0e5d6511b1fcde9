// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form1.h"

#include "app/form1report.h"
#include "app/networktimeitem.h"
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
#include "ui/programicon.h"
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
#include <QWindow>

namespace {
// The tray menu's first item: what choosing it does to the window.
QString showItemCaption(bool inTray)
{
    return inTray ? Form1::tr("&Show Korvel", "tray menu") : Form1::tr("&Minimize Korvel", "tray menu");
}
} // namespace

Form1::Form1(const StartupState& startup, OptionStore& store, Form1Services services, QWidget* parent)
    : QMainWindow(parent)
    , m_store(store)
    , m_services(std::move(services))
    , m_sLastUpdate(startup.m_sLastUpdate)
    , m_lMinutesElapsed(startup.m_lMinutesElapsed)
    , m_bStartedWithLoad(startup.m_bStartedWithLoad)
{
    m_services.completeWithSystem();
    // A start into the tray builds the controls when the window is first shown.
    if (!m_bStartedWithLoad || !m_services.trayAvailable())
        buildControls();
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
    chkAutoConnect_Click();
    ui.chkUnload->setText(m_countdownCaption);
    m_history->addWindowItem(ui.mnuHistory);
    m_networkTimeItem->showOn(ui.mnuNetworkTime);
    ContextIDs::InitHelp(this);
    m_report->controlsBuilt();
}

Form1::~Form1() = default;

void Form1::Form_Load()
{
    createTrayForm();
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
    if (built())
        chkAutoConnect_Click();
    showAtStart();
    ShowCountdown(UpdateSchedule::Variant::AtLoad);
    buildTrayMenu();
    if (built())
        ContextIDs::InitHelp(this);

    // The hourglass stays until the load returns; setting it lets the
    // pending events run once.
    CMouse mouse;
    mouse.SetPointer(CMouse::Hourglass);

    loadDialUpEntries();
    if (const QString obstacle = m_services.clockSetter->obstacle(); !obstacle.isEmpty())
        AddStatusLine(LocalizedText::translate("Form1", "Status: The clock cannot be set: %1").arg(obstacle));
    m_networkTimeItem = std::make_unique<NetworkTimeItem>(built() ? ui.mnuNetworkTime : nullptr,
                                                          *m_services.networkTime, *m_report);
    if (built())
        TimeZoneList::fill(ui.cboTimeZone, m_ZoneOffsets);
    m_options.selectStored(Option::TimeZone, TimeZoneList::kEntryCount);
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
    if (UpdateSchedule::leavesAfterUpdate(m_options.tickState(m_bStartedWithLoad, 0, false), inTray())) {
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
    if (m_frmSysTray)
        m_frmSysTray->setToolTip(m_history ? m_history->withDrift(tip) : tip);
}

bool Form1::inTray() const
{
    return !m_report->inSight();
}

void Form1::TxtTime_LostFocus()
{
    // The field shows the hours the schedule uses.
    ui.TxtTime->setText(UpdateSchedule::hoursText(ui.TxtTime->text()));
    ShowCountdown(UpdateSchedule::Variant::LeaveHours);
}

void Form1::createTrayForm()
{
    m_frmSysTray = std::make_unique<frmSysTray>();
    m_frmSysTray->Form_Load();
    connect(m_frmSysTray.get(), &frmSysTray::MenuClick, this, &Form1::m_frmSysTray_MenuClick);
    connect(m_frmSysTray.get(), &frmSysTray::SysTrayMouseDown, this, &Form1::m_frmSysTray_SysTrayMouseDown);
    connect(m_frmSysTray.get(), &frmSysTray::SysTrayDoubleClick, this, &Form1::m_frmSysTray_SysTrayDoubleClick);
}

void Form1::buildTrayMenu()
{
    m_frmSysTray->AddMenuItem(showItemCaption(inTray()), QStringLiteral("show"));
    m_history = std::make_unique<HistoryItems>(*m_frmSysTray, m_update->history(), this);
    if (built())
        m_history->addWindowItem(ui.mnuHistory);
    m_frmSysTray->AddMenuItem(QStringLiteral("-"), QString());
    m_frmSysTray->AddMenuItem(tr("&Close", "tray menu"), QStringLiteral("close"));
    m_frmSysTray->setToolTip(QStringLiteral("Korvel"));
    m_frmSysTray->setIconHandle(ProgramIcon::icon());
}

void Form1::m_frmSysTray_MenuClick(qint32, const QString& sKey)
{
    if (sKey == QLatin1String("show"))
        ToggleFromTray();
    else if (sKey == QLatin1String("close"))
        Form_Unload();
}

void Form1::m_frmSysTray_SysTrayDoubleClick(int)
{
    // A window in the tray may read as normal: some window managers clear
    // the state of a window once it is withdrawn.
    if (!isVisible() || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        ShowFromTray();
    else
        putIntoTray();
}

void Form1::ToggleFromTray()
{
    if (inTray())
        ShowFromTray();
    else
        putIntoTray();
}

void Form1::putIntoTray()
{
    // Minimised while still mapped, as the window manager's own button does,
    // then hidden (Form_Resize hides it already where a tray is). A hidden
    // window asked to minimise leaves stale state behind on some window managers.
    setWindowState(Qt::WindowMinimized);
    hide();
}

void Form1::ShowFromTray()
{
    // A withdrawn window starts afresh. Leaving the minimised state, the X11
    // platform would map the hidden window itself, before Qt shows it, and
    // that first exposure is lost: the window stays black. Shown first
    // instead, it comes up minimised, and the window manager's late word on
    // that would send it back to the tray.
    if (!built())
        buildWindow();
    if (!isVisible() && windowHandle()) {
        windowHandle()->destroy();
        m_awaitingExposure = true;
    }
    setWindowState(Qt::WindowNoState);
    show();
    windowHandle()->installEventFilter(this);
    raise();
    activateWindow();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed())
        m_awaitingExposure = false;
    return QMainWindow::eventFilter(watched, event);
}

void Form1::m_frmSysTray_SysTrayMouseDown(int)
{
    m_frmSysTray->ShowMenu();
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
    if (!m_frmSysTray)
        return;
    if (windowState() & Qt::WindowMinimized) {
        // Shown from the tray but not yet on screen: the state the window
        // had before it went to the tray, reported late; the window's own
        // report follows.
        if (m_awaitingExposure && isVisible())
            return;
        m_frmSysTray->setMenuCaption(0, showItemCaption(true));
        // Without a tray the taskbar is the only way back.
        if (m_services.trayAvailable())
            hide();
    } else if (isVisible()) {
        // Only ShowFromTray brings a withdrawn window back. A window manager
        // that drops the minimised state from a window it no longer manages
        // is not the user restoring it.
        m_frmSysTray->setMenuCaption(0, showItemCaption(false));
        if (built())
            ui.CF1->setTimerI(1000);
    }
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

void Form1::loadDialUpEntries()
{
    if (!m_dialUp->connection().IsRasInstalled())
        m_dialUp->noDialUp();
    else if (built())
        LoadEntries();
    // Also without dial-up support, so the stored name survives the next save.
    m_options.selectStored(Option::Connection);
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
    m_frmSysTray->Form_QueryUnload();
    m_frmSysTray.reset();
    // The connection objects go with the window: an update may still be
    // unwinding below this call when the program's end is not immediate.
    m_services.endProgram();
}

