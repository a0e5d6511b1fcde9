// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "historywindow/historyitems.h"

#include "history/clockdrift.h"
#include "history/drifttext.h"
#include "history/historylog.h"
#include "history/updatehistory.h"
#include "historywindow/historywindowentry.h"
#include "tray/frmsystray.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QMessageBox>
#include <QWidget>

namespace {
const QString kTrayKey = QStringLiteral("history");
} // namespace

HistoryItems::HistoryItems(frmSysTray& tray, UpdateHistory& history, QWidget* window)
    : QObject(window)
    , m_history(history)
    , m_window(window)
{
    tray.AddMenuItem(tr("&History…"), kTrayKey);
    connect(&tray, &frmSysTray::MenuClick, this, &HistoryItems::trayItemChosen);
}

void HistoryItems::addWindowItem(QAction* windowItem)
{
    connect(windowItem, &QAction::triggered, this, &HistoryItems::open);
}

HistoryItems::~HistoryItems()
{
    delete m_historyWindow;
}

QString HistoryItems::modulePath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(HistoryWindowEntry::kModuleName));
}

QString HistoryItems::withDrift(const QString& tip) const
{
    const auto drift = ClockDrift::of(m_history.appended());
    if (!drift)
        return tip;
    return tip + (tip.endsWith(u'.') ? QStringLiteral(" ") : QStringLiteral(". ")) + DriftText::sentence(*drift);
}

void HistoryItems::trayItemChosen(qint32, const QString& key)
{
    if (key == kTrayKey)
        open();
}

QWidget* HistoryItems::makeWindow(const QString& historyFile, QString& problem)
{
    QLibrary module(modulePath());
    const auto make = reinterpret_cast<HistoryWindowEntry::Function>(module.resolve(HistoryWindowEntry::kSymbol));
    if (!make) {
        problem = module.errorString();
        qCWarning(lcHistory) << "The History window cannot be loaded:" << problem;
        return nullptr;
    }
    return make(historyFile);
}

void HistoryItems::open()
{
    if (!m_historyWindow) {
        QString problem;
        m_historyWindow = makeWindow(m_history.path(), problem);
        if (!m_historyWindow) {
            QMessageBox::warning(m_window, tr("Korvel - History"),
                                 tr("The History window cannot be opened: %1").arg(problem));
            return;
        }
    } else {
        QMetaObject::invokeMethod(m_historyWindow, "reload");
    }
    m_historyWindow->setWindowState(m_historyWindow->windowState() & ~Qt::WindowMinimized);
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}
