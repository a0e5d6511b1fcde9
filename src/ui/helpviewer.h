// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

QT_BEGIN_NAMESPACE
class QTextBrowser;
QT_END_NAMESPACE

// Korvel's help window: the help file in a browser of its own, opened at the
// topic of a help context number. It lives apart from the main window, so it
// stays open while the window hides in the tray, and closing it never ends
// the program.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows `helpFile` scrolled to the topic of `contextId`, or a short note
    // of its own when the file cannot be read.
    void showContext(const QString& helpFile, int contextId);

    // The anchor the help file carries for a context number.
    static QString anchorFor(int contextId);

    const QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};
