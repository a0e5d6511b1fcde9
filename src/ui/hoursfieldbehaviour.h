// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>

class QLineEdit;

// How the two hours fields behave: entering one selects its whole text,
// Enter moves on to the next control as Tab does, and leaving a field (not
// the window) is reported, so the countdown can be recounted.
class HoursFieldBehaviour : public QObject
{
public:
    HoursFieldBehaviour(QObject* parent, std::initializer_list<QLineEdit*> fields,
                        std::function<void(QLineEdit*)> left);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(QLineEdit*)> m_left;
};
