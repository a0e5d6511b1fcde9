// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "update/updatereport.h"

#include <QStringList>

// The window's side of an update while it is out of sight in the tray:
// nobody is asked anything; the status lines are kept for a failure's message.
class UnseenReport : public UpdateReport
{
public:
    QStringList lines;

    void addStatusLine(const LocalizedText& line, bool) override { lines << line.english(); }
    void clearStatusLines() override {}
    void showResult(const QString&) override {}
    void showNotSet(const QString&) override {}
    void setSetTimeEnabled(bool) override {}
    void showDialUpButtons(bool, bool) override {}
    void addConnectionName(const QString&) override {}
    void keepFailure(const QString&) override {}
    bool inSight() const override { return false; }
    bool askYesNo(const QString&, const QString&) override { return false; }
    bool askChoice(const QString&, const QString&, const QString&, const QString&) override { return false; }
    QString askText(const QString&, const QString&) override { return {}; }
    void beep() override {}
};
