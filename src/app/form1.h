#pragma once

#include "app/startuprule.h"
#include "ui/form1design.h"

#include <QMainWindow>

class OptionStore;

// The main window: its controls are the working copy of the stored options
// from load to unload.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    Form1(const StartupState& startup, OptionStore& store, QWidget* parent = nullptr);

    const Form1Design& design() const;

    const QString& lastUpdateText() const;
    qint32 minutesElapsed() const;
    bool startedWithLoad() const;

    // Puts the stored options into the controls and decides whether the
    // window is shown.
    void Form_Load();
    // Writes the nine options from the controls; never "LastUpdate".
    void SaveOptions();
    // Appends a line to the status list, selects it and logs it.
    void AddStatusLine(const QString& line);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void chkTime_Click();
    void chkAutoConnect_Click();
    void selectStoredConnection();
    void selectStoredTimeZone();
    void Form_Unload();

    Form1Design ui;
    OptionStore& m_store;
    QString m_sLastUpdate;
    qint32 m_lMinutesElapsed;
    bool m_bStartedWithLoad;
};
