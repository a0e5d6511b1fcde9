// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/localizedtext.h"

#include <QString>

// What an update and the dial-up commands tell the window, and what they ask
// its user. The window implements it; tests record it.
class UpdateReport
{
public:
    virtual ~UpdateReport() = default;

    // Appends a status line, shown translated and logged in English; the
    // newest line is selected unless `select` is false.
    virtual void addStatusLine(const LocalizedText& line, bool select = true) = 0;
    // The Connect command starts a fresh status list.
    virtual void clearStatusLines() = 0;
    // The result caption beside the button.
    virtual void showResult(const QString& caption) = 0;
    // The same place, marked so that it cannot be read as success: the clock
    // was not set.
    virtual void showNotSet(const QString& caption) = 0;
    virtual void setSetTimeEnabled(bool enabled) = 0;
    // Connect's enabled state, and whether Disconnect stands in its place
    // because a connection Korvel dialled is up.
    virtual void showDialUpButtons(bool connectEnabled, bool disconnectShown) = 0;
    // A connection name the user typed: added to the entry list and chosen.
    virtual void addConnectionName(const QString& name) = 0;
    // Why the clock was not set, readable in full until the next update
    // starts; empty when there is nothing to keep.
    virtual void keepFailure(const QString& reason) = 0;

    // The window is on screen, so its user can be asked.
    virtual bool inSight() const = 0;
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
    // A question whose default button, `accept`, makes it true; the other
    // button and Escape make it false.
    virtual bool askChoice(const QString& title, const QString& text, const QString& accept,
                           const QString& decline) = 0;
    // Empty when the user cancels.
    virtual QString askText(const QString& title, const QString& prompt) = 0;
    virtual void beep() = 0;
};
