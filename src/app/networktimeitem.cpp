// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/networktimeitem.h"

#include "clockset/networktimeswitch.h"
#include "update/updatereport.h"

#include <QAction>

NetworkTimeItem::NetworkTimeItem(NetworkTimeSwitch& networkTime, UpdateReport& report, QObject* parent)
    : QObject(parent)
    , m_networkTime(networkTime)
    , m_report(report)
{
    connect(&m_networkTime, &NetworkTimeSwitch::ntpChanged, this, &NetworkTimeItem::changed);
    if (m_networkTime.isOn().value_or(false))
        changed(true);
}

void NetworkTimeItem::showOn(QAction* item)
{
    m_item = item;
    connect(m_item, &QAction::triggered, this, &NetworkTimeItem::choose);
    showState();
}

void NetworkTimeItem::choose(bool on)
{
    const ClockSetOutcome outcome = m_networkTime.turn(on);
    if (!outcome.ok())
        m_report.addStatusLine(NetworkTimeSwitch::notTurnedLine(on, outcome.reason));
    // The menu ticked the item itself; timedated has the last word.
    showState();
}

void NetworkTimeItem::changed(bool on)
{
    m_report.addStatusLine(on ? LocalizedText::translate("NetworkTimeItem",
                                                         "Status: The system's network time keeps the clock; "
                                                         "\"Set Time\" will offer to take over.")
                              : LocalizedText::translate("NetworkTimeItem",
                                                         "Status: Network time is off; \"Set Time\" sets the clock."));
    showState();
}

void NetworkTimeItem::showState()
{
    if (!m_item)
        return;
    m_item->setEnabled(m_networkTime.isOn().has_value());
    m_item->setChecked(m_networkTime.isOn().value_or(false));
}
