// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QMenu;
class QPushButton;
class QWidget;
QT_END_NAMESPACE

class ClockFace;
class FittedCheckBox;
class TwipsConverter;

// The main window's design: builds every control on a QMainWindow with its
// name, place, caption, colours, font, tool tip, tab order and starting state.
// Places are design twips turned into pixels with the screen's logical DPI.
class Form1Design
{
public:
    void setupUi(QMainWindow* form);
    // The "Unload at startup" box's caption as designed, before the
    // countdown writes into it.
    static QString unloadCaption();

    QWidget* clientArea = nullptr;

    QPushButton* cmdSetTime = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* lstConnectState = nullptr;
    QPushButton* CmdConnect = nullptr;
    QPushButton* CmdDisconnect = nullptr;
    QGroupBox* fraAutoConnect = nullptr;
    QCheckBox* ChkDisconnect = nullptr;
    QCheckBox* chkAutoConnect = nullptr;
    QGroupBox* fraTime = nullptr;
    QCheckBox* chkTime = nullptr;
    QLineEdit* TxtTime = nullptr;
    QLineEdit* txtAway = nullptr;
    FittedCheckBox* chkUnload = nullptr;
    QComboBox* cboEntries = nullptr;
    ClockFace* CF1 = nullptr;
    QComboBox* cboTimeZone = nullptr;
    QLabel* lblSecondaryTime = nullptr;
    QFrame* line1 = nullptr;
    QFrame* lin2 = nullptr;

    QMenu* help = nullptr;
    QAction* helpf = nullptr;
    QMenu* mnuOptions = nullptr;
    QAction* mnuBeep = nullptr;
    QAction* mnuNetworkTime = nullptr;
    QAction* mnuHistory = nullptr;
    QMenu* Settings = nullptr;
    QAction* Zone = nullptr;
    QAction* Regional = nullptr;

private:
    void buildClientArea(QMainWindow* form, const TwipsConverter& twips);
    void buildResultRow(const TwipsConverter& twips);
    void buildStatusLine(const TwipsConverter& twips);
    void buildConnectButtons(const TwipsConverter& twips);
    void buildDialUpGroup(const TwipsConverter& twips);
    void buildUpdateGroup(const TwipsConverter& twips);
    void buildSecondaryTime(const TwipsConverter& twips);
    void buildRuleLines(const TwipsConverter& twips);
    void setTabOrder();
    void buildMenus(QMainWindow* form);
};
