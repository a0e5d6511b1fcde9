#include "app/form1.h"

#include "app/optionconversion.h"
#include "app/optionstore.h"
#include "app/statuslog.h"
#include "net/cnetconnect.h"
#include "net/connectcommands.h"
#include "net/connectionerror.h"
#include "net/cwininetconnection.h"
#include "net/dialupentries.h"
#include "net/netlog.h"
#include "timeclient/korvelcontrol.h"
#include "ui/fittedcheckbox.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

Form1::Form1(const StartupState& startup, OptionStore& store, std::shared_ptr<ConnectionBackend> backend,
             QWidget* parent)
    : QMainWindow(parent)
    , m_store(store)
    , m_backend(std::move(backend))
    , m_sLastUpdate(startup.m_sLastUpdate)
    , m_lMinutesElapsed(startup.m_lMinutesElapsed)
    , m_bStartedWithLoad(startup.m_bStartedWithLoad)
{
    ui.setupUi(this);
    Korvel1 = new KorvelControl(this);
    Korvel1->setObjectName(QStringLiteral("Korvel1"));
    Korvel1->ReadProperties(KorvelControl::designState());
    // A state set from code runs the click handling too, as a user's click does.
    connect(ui.chkTime, &QCheckBox::stateChanged, this, &Form1::chkTime_Click);
    connect(ui.chkAutoConnect, &QCheckBox::stateChanged, this, &Form1::chkAutoConnect_Click);
    connect(ui.CmdConnect, &QPushButton::clicked, this, &Form1::CmdConnect_Click);
    connect(ui.CmdDisconnect, &QPushButton::clicked, this, &Form1::CmdDisconnect_Click);
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

void Form1::Form_Load()
{
    createConnectionObjects();
    AddStatusLine(QStringLiteral("Last update was on - ") + m_sLastUpdate);

    using namespace OptionConversion;
    ui.TxtTime->setText(m_store.read(Option::CheckTime));
    ui.chkAutoConnect->setCheckState(checkState(Option::CheckAuto, m_store.read(Option::CheckAuto)));
    ui.ChkDisconnect->setCheckState(checkState(Option::Disconnect, m_store.read(Option::Disconnect)));
    ui.txtAway->setText(m_store.read(Option::TimeAway));
    ui.chkTime->setCheckState(checkState(Option::CheckEvery, m_store.read(Option::CheckEvery)));
    ui.chkUnload->setCheckState(checkState(Option::Unload, m_store.read(Option::Unload)));
    ui.mnuBeep->setChecked(boolean(Option::Beep, m_store.read(Option::Beep)));
    chkAutoConnect_Click();

    setVisible(!m_bStartedWithLoad);

    loadDialUpEntries();
    selectStoredTimeZone();
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

void Form1::AddStatusLine(const QString& line)
{
    ui.lstConnectState->addItem(line);
    ui.lstConnectState->setCurrentRow(ui.lstConnectState->count() - 1);
    ui.lstConnectState->scrollToBottom();
    qCInfo(lcStatus).noquote() << line;
}

void Form1::LoadEntries()
{
    ui.cboEntries->clear();
    QStringList entries;
    DialUpEntries::DUN_Services(entries, *m_backend);
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
    if (outcome.hungUp) {
        EnableControl(ui.cboEntries);
        DisableControl(ui.CmdDisconnect);
    }
    // Also when the line dropped by itself: nothing of Korvel's is left to
    // hang up, so the window offers Connect again.
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
    m_NetConnect = std::make_unique<CNetConnect>(m_backend);
    m_WinInetConnection = std::make_unique<CWinInetConnection>(m_backend);
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

void Form1::Form_Unload()
{
    SaveOptions();
}
