// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/helpviewer.h"

#include "ui/uilog.h"

#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpViewer::HelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(tr("Korvel Help"));
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setOpenExternalLinks(true);
    resize(560, 480);
    // Escape closes it, as it closes every box of Korvel's.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

QString HelpViewer::anchorFor(int contextId)
{
    return QStringLiteral("context-%1").arg(contextId);
}

void HelpViewer::showContext(const QString& helpFile, int contextId)
{
    const QFileInfo file(helpFile);
    if (!file.isFile() || !file.isReadable()) {
        qCInfo(lcUi) << "no help file at" << helpFile;
        m_browser->setHtml(tr("<h3>Korvel Help</h3><p>The help file could not be opened:</p>"
                                             "<p><i>%1</i></p><p>Installing Korvel again puts it back.</p>")
                               .arg(helpFile.toHtmlEscaped()));
        return;
    }
    QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
    url.setFragment(anchorFor(contextId));
    // The browser scrolls to the fragment also when the page is already shown.
    m_browser->setSource(url, QTextDocument::HtmlResource);
}
