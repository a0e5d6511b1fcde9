// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "historywindow/historywindow.h"

#include "history/historysummary.h"
#include "historywindow/chartcolours.h"
#include "historywindow/historychart.h"
#include "historywindow/historymodel.h"

#include <QChartView>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {
// Columns are sized from this many rows, not from thousands.
constexpr int kRowsSized = 50;
} // namespace

HistoryWindow::HistoryWindow(const QString& historyFile, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_history(historyFile)
    , m_summary(new QLabel(this))
    , m_chartView(new QChartView(this))
    , m_model(new HistoryModel(this))
    , m_table(new QTableView(this))
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(tr("Korvel - History"));
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_chartView->setObjectName(QStringLiteral("chart"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setAccessibleName(tr("Chart of the PC clock's offset at each update"));
    m_chartView->setMinimumHeight(220);
    auto* sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(m_model);
    sorted->setSortRole(Qt::UserRole);
    m_table->setObjectName(QStringLiteral("records"));
    m_table->setAccessibleName(tr("Recorded updates"));
    m_table->setModel(sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(0, Qt::DescendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setResizeContentsPrecision(kRowsSized);
    m_table->horizontalHeader()->setStretchLastSection(true);
    // A title wider than its column is cut at its end, not at both.
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_chartView, 3);
    layout->addWidget(m_table, 2);
    layout->addWidget(makeButtons());
    resize(720, 560);
    reload();
}

QWidget* HistoryWindow::makeButtons()
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = buttons->addButton(tr("&Copy as CSV"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copy"));
    QPushButton* save = buttons->addButton(tr("&Save as CSV…"), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("save"));
    connect(copy, &QPushButton::clicked, this, &HistoryWindow::copyCsv);
    connect(save, &QPushButton::clicked, this, &HistoryWindow::saveCsv);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    return buttons;
}

void HistoryWindow::reload()
{
    const UpdateHistory::Reading reading = m_history.read();
    m_records = reading.records;
    const auto drift = ClockDrift::of(m_records);
    QString summary = HistorySummary::text(m_records, drift);
    if (!reading.problem.isEmpty())
        summary = tr("The update history %1 cannot be read: %2.").arg(m_history.path(), reading.problem);
    else if (reading.damagedLines > 0)
        summary += u' ' + tr("Damaged lines skipped: %1.").arg(reading.damagedLines);
    m_summary->setText(summary);
    m_model->setRecords(m_records);
    // The servers, last, take what room is left.
    for (int column = 0; column < m_model->columnCount() - 1; ++column)
        m_table->resizeColumnToContents(column);
    auto* chart = new HistoryChart(m_records, drift, ChartColours::forPalette(palette()));
    m_chartView->setChart(chart);
    delete m_chart; // the view does not delete the chart it showed before
    m_chart = chart;
    m_chartView->setAccessibleDescription(summary);
}

void HistoryWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange && m_chart)
        m_chart->applyColours(ChartColours::forPalette(palette()));
    QWidget::changeEvent(event);
}

QByteArray HistoryWindow::csv() const
{
    QByteArray bytes = HistoryRecord::header() + '\n';
    for (const HistoryRecord& record : m_records)
        bytes += record.toCsv() + '\n';
    return bytes;
}

void HistoryWindow::copyCsv()
{
    QGuiApplication::clipboard()->setText(QString::fromUtf8(csv()));
}

void HistoryWindow::saveCsv()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save the History as CSV"),
                                                      QDir::home().filePath(QStringLiteral("korvel-history.csv")),
                                                      tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(csv()) >= 0 && file.commit())
        return;
    QMessageBox::warning(this, tr("Korvel - History"),
                         tr("The history was not saved to %1: %2").arg(path, file.errorString()));
}
