#pragma once

#include "app/startuprule.h"
#include "ui/form1design.h"

#include <QMainWindow>

#include <memory>

class CNetConnect;
class CWinInetConnection;
class ConnectionBackend;
class KorvelControl;
class OptionStore;

// The main window: its controls are the working copy of the stored options
// from load to unload.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    // The backend answers for the connection objects that Form_Load creates.
    Form1(const StartupState& startup, OptionStore& store, std::shared_ptr<ConnectionBackend> backend,
          QWidget* parent = nullptr);
    ~Form1() override;

    const Form1Design& design() const;
    KorvelControl& korvel() const;


    // Puts the stored options into the controls and decides whether the
    // window is shown.
    void Form_Load();
    // Writes the nine options from the controls; never "LastUpdate".
    void SaveOptions();
    // Appends a line to the status list, selects it and logs it.
    void AddStatusLine(const QString& line);

    // Refills the dial-up entry list from the system's connection profiles.
    void LoadEntries();
    void CmdConnect_Click();
    void CmdDisconnect_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void chkTime_Click();
    void chkAutoConnect_Click();
    void createConnectionObjects();
    void loadDialUpEntries();
    // Korvel's own dial-ups can be hung up from the window: the Disconnect
    // button takes the Connect button's place while one is up.
    void showDisconnectInstead(bool show);
    static void DisableControl(QWidget* ctl);
    static void EnableControl(QWidget* ctl);
    void selectStoredConnection();
    void selectStoredTimeZone();
    void Form_Unload();

    Form1Design ui;
    KorvelControl* Korvel1 = nullptr;
    OptionStore& m_store;
    std::shared_ptr<ConnectionBackend> m_backend;
    std::unique_ptr<CWinInetConnection> m_WinInetConnection;
    std::unique_ptr<CNetConnect> m_NetConnect;
    QString m_sLastUpdate;
    qint32 m_lMinutesElapsed;
    bool m_bStartedWithLoad;
};
