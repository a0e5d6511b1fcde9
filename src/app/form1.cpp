#include "app/form1.h"

#include "app/optionconversion.h"
#include "app/optionstore.h"
#include "app/statuslog.h"
#include "app/stepguard.h"
#include "app/userprompts.h"
#include "base/clock.h"
#include "base/dateserial.h"
#include "base/generaldate.h"
#include "clockset/clockadjustment.h"
#include "clockset/clocksetter.h"
#include "clockset/clocksetterselector.h"
#include "net/backendselector.h"
#include "net/cnetconnect.h"
#include "net/connectcommands.h"
#include "net/connectionerror.h"
#include "net/cwininetconnection.h"
#include "net/dialupentries.h"
#include "net/netlog.h"
#include "timeclient/datevariant.h"
#include "timeclient/korvelcontrol.h"
#include "timeclient/timeestimator.h"
#include "tray/cmouse.h"
#include "tray/frmsystray.h"
#include "ui/clockface.h"
#include "ui/contextids.h"
#include "ui/controlpanel.h"
#include "ui/fittedcheckbox.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kFirstTickMsecs = 1000;
constexpr int kTickMsecs = 60000;
const QString kHeldToolTip = QStringLiteral("Korvel - Automatic updates wait for \"Set Time\"");

bool isChecked(const QCheckBox* box)
{
    return box->checkState() == Qt::Checked;
}

// The process ends at once: the options are saved and nothing else is pending.
void endProcessNow()
{
    std::fflush(nullptr);
    std::_Exit(0);
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
    if (!m_services.backend)
        m_services.backend = BackendSelector::createDefault();
    if (!m_services.clockSetter)
        m_services.clockSetter = ClockSetterSelector::createDefault();
    if (!m_services.prompts)
        m_services.prompts = std::make_shared<UserPrompts>();
    if (!m_services.endProgram)
        m_services.endProgram = endProcessNow;
    if (!m_services.buildDay.isValid())
        m_services.buildDay = ClockAdjustment::buildDay();

    ui.setupUi(this);
    Korvel1 = new KorvelControl(this);
    Korvel1->setObjectName(QStringLiteral("Korvel1"));
    Korvel1->ReadProperties(KorvelControl::designState());
    // The query raises its events from inside GetTime, with by-reference arguments.
    connect(Korvel1, &KorvelControl::Done, this, &Form1::Korvel1_Done, Qt::DirectConnection);
    connect(Korvel1, &KorvelControl::Error, this, &Form1::Korvel1_Error, Qt::DirectConnection);
    // A state set from code runs the click handling too, as a user's click does.
    connect(ui.chkTime, &QCheckBox::stateChanged, this, &Form1::chkTime_Click);
    connect(ui.chkAutoConnect, &QCheckBox::stateChanged, this, &Form1::chkAutoConnect_Click);
    connect(ui.cmdSetTime, &QPushButton::clicked, this, &Form1::cmdSetTime_Click);
    connect(ui.CmdConnect, &QPushButton::clicked, this, &Form1::CmdConnect_Click);
    connect(ui.CmdDisconnect, &QPushButton::clicked, this, &Form1::CmdDisconnect_Click);
    connect(ui.Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    // A choice made from code runs the click handling too, as the user's does.
    connect(ui.cboTimeZone, &QComboBox::currentIndexChanged, this, &Form1::cboTimeZone_Click);
    connect(ui.helpf, &QAction::triggered, this, [] { ContextIDs::PressHelpKey(); });
    connect(ui.Zone, &QAction::triggered, this, [] { ControlPanel().open(ControlPanel::Page::TimeZone); });
    connect(ui.Regional, &QAction::triggered, this, [] { ControlPanel().open(ControlPanel::Page::Regional); });
    ui.CF1->setTimeSource([this] { return Korvel1->SecondaryTime().toDateTime(); });
    ui.TxtTime->installEventFilter(this);
    ui.txtAway->installEventFilter(this);
}

Form1::~Form1() = default;

const Form1Design& Form1::design() const
{
    return ui;
}

KorvelControl& Form1::korvel() const
{
    return *Korvel1;
}

frmSysTray* Form1::trayForm() const
{
    return m_frmSysTray.get();
}

void Form1::Form_Load()
{
    createTrayForm();
    createConnectionObjects();
    AddStatusLine(QStringLiteral("Last update was on - ") + m_sLastUpdate);
    if (const QString problem = m_store.readProblem(); !problem.isEmpty())
        AddStatusLine(problem);
    loadOptionsIntoControls();
    chkAutoConnect_Click();
    showAtStart();
    ShowCountdown(UpdateSchedule::Variant::AtLoad);
    buildTrayMenu();
    ContextIDs::InitHelp(this);

    // The hourglass stays until the load returns; setting it lets the
    // pending events run once.
    CMouse mouse;
    mouse.SetPointer(CMouse::Hourglass);

    // From here on a step that fails is skipped and the next one runs.
    StepGuard::run("dial-up entries", [this] { loadDialUpEntries(); });
    StepGuard::run("clock setting", [this] {
        const QString obstacle = m_services.clockSetter->obstacle();
        if (!obstacle.isEmpty())
            AddStatusLine(QStringLiteral("Status: The clock cannot be set: ") + obstacle);
    });
    StepGuard::run("time zones", [this] {
        TimeZoneList::fill(ui.cboTimeZone, m_ZoneOffsets);
        selectStoredTimeZone();
    });
    StepGuard::run("Timer1", [this] { ui.Timer1->start(kFirstTickMsecs); });
}

void Form1::loadOptionsIntoControls()
{
    // Setting a box's state runs its click handling, as a user's click does.
    using namespace OptionConversion;
    ui.TxtTime->setText(m_store.read(Option::CheckTime));
    ui.chkAutoConnect->setCheckState(checkState(Option::CheckAuto, m_store.read(Option::CheckAuto)));
    ui.ChkDisconnect->setCheckState(checkState(Option::Disconnect, m_store.read(Option::Disconnect)));
    ui.txtAway->setText(m_store.read(Option::TimeAway));
    ui.chkTime->setCheckState(checkState(Option::CheckEvery, m_store.read(Option::CheckEvery)));
    ui.chkUnload->setCheckState(checkState(Option::Unload, m_store.read(Option::Unload)));
    ui.mnuBeep->setChecked(boolean(Option::Beep, m_store.read(Option::Beep)));
}

void Form1::showAtStart()
{
    if (!m_bStartedWithLoad)
        show();
    else if (!QSystemTrayIcon::isSystemTrayAvailable())
        showMinimized(); // without a tray, hidden would be out of reach
}

void Form1::SaveOptions()
{
    using namespace OptionConversion;
    m_store.write(Option::Connection, ui.cboEntries->currentText());
    m_store.write(Option::CheckEvery, fromCheckState(ui.chkTime->checkState()));
    m_store.write(Option::CheckTime, ui.TxtTime->text());
    m_store.write(Option::CheckAuto, fromCheckState(ui.chkAutoConnect->checkState()));
    m_store.write(Option::Disconnect, fromCheckState(ui.ChkDisconnect->checkState()));
    m_store.write(Option::Unload, fromCheckState(ui.chkUnload->checkState()));
    m_store.write(Option::TimeAway, ui.txtAway->text());
    m_store.write(Option::Beep, fromBoolean(ui.mnuBeep->isChecked()));
    m_store.write(Option::TimeZone, fromListIndex(ui.cboTimeZone->currentIndex()));
    const QString problem = m_store.sync();
    if (!problem.isEmpty())
        AddStatusLine(problem);
}

void Form1::AddStatusLine(const QString& line, bool select)
{
    ui.lstConnectState->addItem(line);
    if (select)
        ui.lstConnectState->setCurrentRow(ui.lstConnectState->count() - 1);
    ui.lstConnectState->scrollToBottom();
    qCInfo(lcStatus).noquote() << line;
}

void Form1::cmdSetTime_Click()
{
    // The user's own press lifts the hold on automatic updates.
    if (!m_bAutomaticUpdate && m_bAutomaticUpdatesHeld) {
        m_bAutomaticUpdatesHeld = false;
        ShowCountdown(UpdateSchedule::Variant::Tick);
    }
    AddStatusLine(QStringLiteral("Status: Looking for a connection..."));
    if (!connectionForUpdate())
        return;
    ui.cmdSetTime->setEnabled(false);
    AddStatusLine(QStringLiteral("Status: Attmpting to contact time server..."));
    ui.Label1->setText(QStringLiteral("Trying to get time..."));
    StepGuard::run("GetTime", [this] { Korvel1->GetTime(); });
}

bool Form1::connectionForUpdate()
{
    bool connected = false;
    StepGuard::run("Connected", [&] { connected = m_NetConnect->Connected(); });
    if (connected) {
        StepGuard::run("ConnectModeDesc", [this] {
            AddStatusLine(QStringLiteral("Status: Connected - ") + m_NetConnect->ConnectModeDesc());
        });
        ui.CmdConnect->setEnabled(false);
    } else {
        AddStatusLine(QStringLiteral("Status: Not Connected."));
        if (ui.chkAutoConnect->checkState() == Qt::Unchecked) {
            if (inTray() || AskedForConnection)
                return false;
            if (!m_services.prompts->askYesNo(this, QStringLiteral("No Connection"),
                                              QStringLiteral("No connection to the internet found. Are you connected?"))) {
                AskedForConnection = true;
                return false;
            }
            askForConnectionName();
        } else if (UpdateSchedule::isDueForDialling(ui.TxtTime->text(), m_lMinutesElapsed)) {
            AddStatusLine(QStringLiteral("Status: Attempting to Connect..."));
            ui.CmdConnect->click();
        }
    }
    bool connectedNow = false;
    StepGuard::run("Connected", [&] { connectedNow = m_NetConnect->Connected(); });
    return connectedNow;
}

void Form1::askForConnectionName()
{
    const QString answer = m_services.prompts->askText(
        this, QStringLiteral("Name the connection"),
        QStringLiteral("Please enter the name of the connection you are using so Korvel can look for it next "
                       "time. This information can be found in the title bar of your connection. It will say "
                       "'Connected to XXXXXX'\n\n\nPlease type in just the XXXXXX part."));
    StepGuard::run("saving Connection", [&] {
        m_store.write(Option::Connection, answer);
        m_store.sync();
    });
    AskedForConnection = true;
    ui.cboEntries->addItem(answer);
    ui.cboEntries->setCurrentIndex(ui.cboEntries->count() - 1);
}

void Form1::Korvel1_Done()
{
    // The number 0 until a query succeeds; a date after it.
    const bool received = DateVariant::isDateValue(Korvel1->LocalTime());
    double local = DateVariant::toSerial(Korvel1->LocalTime()).value_or(0.0);
    m_sAppliedUpdate.clear();
    if (received) {
        // Asks the other servers and checks the answers before anything is shown.
        const UpdateEstimate estimate = TimeEstimator(Korvel1->serverCycle(), m_services.buildDay)
            .estimate(Korvel1->lastReceipt(), Korvel1->host(), Korvel1->askedHosts());
        if (!estimate.adjustmentUsec) {
            ui.cmdSetTime->setEnabled(true);
            AddStatusLine(estimate.refusal);
            return;
        }
        local += double(estimate.eraShiftSeconds) / DateSerial::kSecondsPerDay;
        const QString localText = GeneralDate::format(local);
        AddStatusLine(QStringLiteral("Status: Time Received."));
        ui.Label1->setText(QStringLiteral(" ") + localText + QStringLiteral("\n  Network Lagtime = ")
                           + Korvel1->LagTime());
        // "Set Time" stays off while the clock is set: an authorisation may
        // take minutes, and no tick may start a second update meanwhile.
        const bool set = setClock(*estimate.adjustmentUsec);
        ui.cmdSetTime->setEnabled(true);
        if (!set)
            return;
        m_sAppliedUpdate = localText;
        if (ui.mnuBeep->isChecked())
            m_services.prompts->beep();
        recordLastUpdate(localText);
        hangUpAfterUpdate();
    }
    if (m_bStartedWithLoad && inTray() && ui.chkTime->checkState() == Qt::Unchecked) {
        SaveOptions();
        Form_Unload();
        return;
    }
    if (received)
        m_lMinutesElapsed = StartupRule::minutesSince(local);
    ShowCountdown(UpdateSchedule::Variant::Tick);
}

void Form1::recordLastUpdate(const QString& text)
{
    m_store.write(Option::LastUpdate, text);
    const QString problem = m_store.sync();
    if (!problem.isEmpty())
        AddStatusLine(problem);
    AddStatusLine(QStringLiteral("Last update was on - ") + text);
}

bool Form1::setClock(qint64 adjustmentUsec)
{
    const ClockSetOutcome outcome = m_services.clockSetter->adjust(adjustmentUsec);
    if (outcome.ok())
        return true;
    AddStatusLine(QStringLiteral("Status: Clock not set: ") + outcome.reason);
    if (outcome.kind == ClockSetOutcome::Kind::NotAuthorised && m_bAutomaticUpdate) {
        m_bAutomaticUpdatesHeld = true;
        AddStatusLine(QStringLiteral("Status: Automatic updates will not ask again until you press \"Set Time\"."));
        setTrayToolTip(kHeldToolTip);
    }
    return false;
}

void Form1::hangUpAfterUpdate()
{
    if (!m_WinInetConnection->IsRasInstalled() || !isChecked(ui.ChkDisconnect))
        return;
    if (!m_WinInetConnection->HangUp().toBool())
        return;
    AddStatusLine(ConnectCommands::disconnectStatusLine(true));
    ui.CmdDisconnect->setEnabled(false);
    ui.CmdConnect->setEnabled(true);
}

void Form1::Korvel1_Error(QString& ErrorDescription, int&)
{
    ui.cmdSetTime->setEnabled(true);
    AddStatusLine(ErrorDescription + QStringLiteral(" please check your connection to the internet and retry."),
                  false);
}

void Form1::Timer1_Timer()
{
    ui.Timer1->stop();
    ui.Timer1->setInterval(kTickMsecs);

    m_sLastUpdate = m_store.read(Option::LastUpdate);
    if (const auto minutes = StartupRule::minutesSince(m_sLastUpdate)) {
        m_lMinutesElapsed = *minutes;
        AddStatusLine(QStringLiteral("Last update was on - ") + m_sLastUpdate);
    } else {
        m_lMinutesElapsed = 0;
        m_store.write(Option::LastUpdate, GeneralDate::format(Clock::instance().nowSerial()));
        m_store.sync();
    }
    ShowCountdown(UpdateSchedule::Variant::Tick);

    // Only a received time that was put on the clock counts as an update.
    if (!m_sAppliedUpdate.isEmpty())
        recordLastUpdate(m_sAppliedUpdate);

    if (isChecked(ui.chkUnload) && m_bStartedWithLoad
        && UpdateSchedule::leaves(ui.txtAway->text(), ui.TxtTime->text(), m_lMinutesElapsed)) {
        Form_Unload();
        return;
    }
    if (automaticUpdatesOn() && !m_bAutomaticUpdatesHeld
        && UpdateSchedule::isDue(ui.TxtTime->text(), m_lMinutesElapsed)) {
        m_bAutomaticUpdate = true;
        ui.cmdSetTime->click();
        m_bAutomaticUpdate = false;
        if (m_bUnloaded)
            return;
    }
    if (automaticUpdatesOn())
        ui.Timer1->start(kTickMsecs);
}

void Form1::ShowCountdown(UpdateSchedule::Variant variant)
{
    const UpdateSchedule::Countdown countdown = UpdateSchedule::countdown(
        variant, ui.chkUnload->text(), ui.TxtTime->text(), m_lMinutesElapsed, ui.Timer1->interval());
    ui.chkUnload->setText(countdown.caption);
    if (variant != UpdateSchedule::Variant::AtLoad)
        setTrayToolTip(m_bAutomaticUpdatesHeld ? kHeldToolTip : countdown.toolTip);
}

void Form1::setTrayToolTip(const QString& tip)
{
    if (m_frmSysTray)
        m_frmSysTray->setToolTip(tip);
}

bool Form1::automaticUpdatesOn() const
{
    // Only a tick: the grayed state enables the fields but updates nothing.
    return isChecked(ui.chkTime);
}

bool Form1::inTray() const
{
    return !isVisible() || isMinimized();
}

void Form1::TxtTime_LostFocus()
{
    ShowCountdown(UpdateSchedule::Variant::LeaveHours);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        box->selectAll();
        break;
    case QEvent::FocusOut:
        // Leaving the window is not leaving the field.
        if (box == ui.TxtTime && static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason
            && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            TxtTime_LostFocus();
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
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
    m_frmSysTray->AddMenuItem(!inTray() ? QStringLiteral("&Minimize Korvel") : QStringLiteral("&Show Korvel"),
                              QStringLiteral("show"));
    m_frmSysTray->AddMenuItem(QStringLiteral("-"), QString());
    m_frmSysTray->AddMenuItem(QStringLiteral("&Close"), QStringLiteral("close"));
    m_frmSysTray->setToolTip(QStringLiteral("Korvel"));
    m_frmSysTray->setIconHandle(windowIcon());
}

void Form1::m_frmSysTray_MenuClick(qint32, const QString& sKey)
{
    if (sKey == QLatin1String("show"))
        setWindowState(isVisible() ? Qt::WindowMinimized : Qt::WindowNoState);
    else if (sKey == QLatin1String("close"))
        Form_Unload();
}

void Form1::m_frmSysTray_SysTrayDoubleClick(int)
{
    setWindowState(windowState() != Qt::WindowNoState ? Qt::WindowNoState : Qt::WindowMinimized);
}

void Form1::m_frmSysTray_SysTrayMouseDown(int)
{
    m_frmSysTray->ShowMenu();
}

void Form1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // Sizing a hidden window does not show it.
    if (isVisible())
        Form_Resize();
}

void Form1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    Form_Resize();
}

void Form1::Form_Resize()
{
    if (!m_frmSysTray)
        return;
    if (windowState() & Qt::WindowMinimized) {
        m_frmSysTray->setMenuCaption(0, QStringLiteral("&Show Korvel"));
        // Without a tray the taskbar is the only way back.
        if (QSystemTrayIcon::isSystemTrayAvailable())
            hide();
    } else {
        m_frmSysTray->setMenuCaption(0, QStringLiteral("&Minimize Korvel"));
        if (!isVisible()) {
            show();
            activateWindow();
        }
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
    ui.lstConnectState->clear();
    DisableControl(ui.CmdConnect);
    const ConnectCommands::ConnectOutcome outcome =
        ConnectCommands::connect(*m_WinInetConnection, *m_NetConnect, ui.cboEntries->currentText());
    AddStatusLine(outcome.statusLine);
    ui.CmdConnect->setEnabled(outcome.connectEnabled);
    // Whatever the probe says, what Korvel dialled it must be able to hang up.
    if (outcome.dialled)
        showDisconnectInstead(true);
}

void Form1::CmdDisconnect_Click()
{
    const ConnectCommands::DisconnectOutcome outcome = ConnectCommands::disconnect(*m_WinInetConnection);
    AddStatusLine(outcome.statusLine);
    if (!outcome.hungUp)
        return;
    EnableControl(ui.cboEntries);
    DisableControl(ui.CmdDisconnect);
    EnableControl(ui.CmdConnect);
    showDisconnectInstead(false);
}

void Form1::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void Form1::chkTime_Click()
{
    const bool on = ui.chkTime->checkState() != Qt::Unchecked;
    ui.fraTime->setEnabled(on);
    ui.TxtTime->setEnabled(on);
    ui.chkUnload->setEnabled(on);
    ui.txtAway->setEnabled(on);
}

void Form1::chkAutoConnect_Click()
{
    const bool on = ui.chkAutoConnect->checkState() != Qt::Unchecked;
    ui.fraAutoConnect->setEnabled(on);
    ui.ChkDisconnect->setEnabled(on);
    ui.cboEntries->setEnabled(on);
}

void Form1::createConnectionObjects()
{
    m_NetConnect = std::make_unique<CNetConnect>(m_services.backend);
    m_WinInetConnection = std::make_unique<CWinInetConnection>(m_services.backend);
    try {
        m_WinInetConnection->Refresh();
    } catch (const ConnectionError& error) {
        // A stale error of the connected-state query must not stop start-up;
        // the flags stay as Refresh left them.
        qCWarning(lcNet).noquote() << error.source() << error.description();
    }
}

void Form1::loadDialUpEntries()
{
    if (m_WinInetConnection->IsRasInstalled()) {
        LoadEntries();
    } else {
        AddStatusLine(ConnectCommands::noRasStatusLine());
        ui.CmdConnect->setEnabled(false);
    }
    // Also without dial-up support, so the stored name survives the next save.
    selectStoredConnection();
}

void Form1::showDisconnectInstead(bool show)
{
    if (show)
        EnableControl(ui.CmdDisconnect);
    ui.CmdDisconnect->setVisible(show);
    ui.CmdConnect->setVisible(!show);
}

void Form1::DisableControl(QWidget* ctl)
{
    // A widget's own flag, not the one inherited from a disabled frame.
    if (!ctl->testAttribute(Qt::WA_ForceDisabled))
        ctl->setEnabled(false);
}

void Form1::EnableControl(QWidget* ctl)
{
    if (ctl->testAttribute(Qt::WA_ForceDisabled))
        ctl->setEnabled(true);
}

void Form1::selectStoredConnection()
{
    const QString stored = m_store.read(Option::Connection);
    const int index = ui.cboEntries->findText(stored, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ui.cboEntries->setCurrentIndex(index);
    // An entry that is not in the list (yet) keeps its name in the edit field,
    // so saving does not lose it.
    if (index < 0)
        ui.cboEntries->setEditText(stored);
}

void Form1::selectStoredTimeZone()
{
    const int index =
        OptionConversion::listIndex(m_store.read(Option::TimeZone), ui.cboTimeZone->count());
    // Selecting nothing again would wipe the design text of an empty list.
    if (index != ui.cboTimeZone->currentIndex())
        ui.cboTimeZone->setCurrentIndex(index);
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
    ui.Timer1->stop();
    StepGuard::run("help", [] { ContextIDs::QuitHelp(); });
    StepGuard::run("clock face", [this] { ui.CF1->setTimerI(0); });
    StepGuard::run("SaveOptions", [this] { SaveOptions(); });
    StepGuard::run("tray icon", [this] {
        m_frmSysTray->Form_QueryUnload();
        m_frmSysTray.reset();
    });
    StepGuard::run("connection objects", [this] {
        m_NetConnect.reset();
        m_WinInetConnection.reset();
    });
    m_services.endProgram();
}
