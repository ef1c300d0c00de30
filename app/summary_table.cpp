#include "app/summary_table.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QResizeEvent>
#include <QStringList>
#include <QStyle>
#include <algorithm>

#include "app/qt_text.h"

namespace kalvex::app {
namespace {

// Where a kind's row keeps its kind, and whether it has skipped or failed rows.
constexpr int kKindRole = Qt::UserRole;
constexpr int kLossRole = Qt::UserRole + 1;

// The columns after the kinds' own: one per outcome class.
int countColumns() {
    return static_cast<int>(engine::summaryColumns().size());
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

bool isLoss(int engine::RowCounts::*count) {
    using engine::RowCounts;
    return count == &RowCounts::skippedUnknownCode || count == &RowCounts::skippedNotFound ||
           count == &RowCounts::skippedLeftOut || count == &RowCounts::failed;
}

}  // namespace

QColor SummaryTable::zeroColour() {
    return QColor(160, 160, 160);
}
QColor SummaryTable::skippedColour() {
    return QColor(176, 96, 0);
}
QColor SummaryTable::failedColour() {
    return QColor(200, 0, 0);
}

SummaryTable::SummaryTable(QWidget* parent) : QTableWidget(0, 1 + countColumns(), parent) {
    QStringList heads{""};
    for (const engine::SummaryColumn& column : engine::summaryColumns())
        heads.push_back(q(column.head));
    setHorizontalHeaderLabels(heads);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(true);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    QHeaderView* header = horizontalHeader();
    // Heads wrap between their words rather than being cut short.
    header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    header->setTextElideMode(Qt::ElideNone);
    header->setSectionsClickable(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < columnCount(); ++column)
        header->setSectionResizeMode(column, QHeaderView::Fixed);
    connect(this, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { rowDoubleClicked(row); });
    fitHeader();
}

void SummaryTable::showRun(const engine::ImportCounts& counts,
                           const std::vector<engine::DoctorShare>& doctors,
                           const std::vector<engine::ImportedFile>& files) {
    clearContents();
    setRowCount(0);
    for (const engine::DoctorShare& doctor : doctors) {
        addHeading(q(engine::doctorHeading(doctor)), true);
        addKinds(doctor.counts);
    }
    if (!doctors.empty())
        addHeading(q(engine::kTotalHeading), true);
    addKinds(counts);
    for (const engine::ImportedFile& file : files)
        addHeading(q(engine::fileLine(file)), false);
    fitHeader();
    scrollToTop();
}

void SummaryTable::addHeading(const QString& text, bool block) {
    const int row = rowCount();
    insertRow(row);
    QTableWidgetItem* item = cell(text);
    item->setToolTip(text);
    // A doctor's block and the total stand out as headings; the files close the table
    // in the table's quieter grey.
    if (block) {
        QFont bold = font();
        bold.setBold(true);
        item->setFont(bold);
        item->setBackground(palette().alternateBase());
    } else {
        item->setForeground(palette().placeholderText());
    }
    setItem(row, 0, item);
    setSpan(row, 0, 1, columnCount());
}

void SummaryTable::addKinds(const engine::ImportCounts& counts) {
    for (const engine::SummaryKind& kind : engine::summaryKinds()) {
        const engine::RowCounts& c = counts[kind.kind];
        if (!c.any())
            continue;
        const int row = rowCount();
        insertRow(row);
        QTableWidgetItem* caption = cell(q(kind.caption));
        caption->setData(kKindRole, static_cast<int>(kind.kind));
        const bool losses = c.skipped() + c.failed > 0;
        caption->setData(kLossRole, losses);
        if (losses)
            caption->setToolTip("Двоен щрак: редовете от дневника за тези записи");
        setItem(row, 0, caption);
        int column = 1;
        for (const engine::SummaryColumn& outcome : engine::summaryColumns()) {
            const int n = c.*outcome.count;
            QTableWidgetItem* number = cell(QString::number(n));
            number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (n == 0) {
                number->setForeground(zeroColour());
            } else if (isLoss(outcome.count)) {
                number->setForeground(outcome.count == &engine::RowCounts::failed
                                          ? failedColour()
                                          : skippedColour());
                QFont bold = font();
                bold.setBold(true);
                number->setFont(bold);
            }
            setItem(row, column++, number);
        }
    }
}

void SummaryTable::fitHeader() {
    // Each outcome column is as wide as its head's longest word or its widest number,
    // whichever is more; the head's words then wrap onto as many lines as they need.
    QHeaderView* header = horizontalHeader();
    const QFontMetrics heads(header->font());
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics numbers(bold);
    const int margin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 6;
    int height = 0;
    for (int column = 1; column < columnCount(); ++column) {
        const QString head = horizontalHeaderItem(column)->text();
        int width = 0;
        for (const QString& word : head.split(' '))
            width = std::max(width, heads.horizontalAdvance(word));
        for (int row = 0; row < rowCount(); ++row)
            if (const QTableWidgetItem* number = item(row, column); number != nullptr)
                width = std::max(width, numbers.horizontalAdvance(number->text()));
        header->resizeSection(column, width + margin);
        height = std::max(height, heads.boundingRect(QRect(0, 0, width, 1000),
                                                     Qt::AlignCenter | Qt::TextWordWrap, head)
                                      .height());
    }
    header->setMinimumHeight(height + margin);
}

void SummaryTable::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    // The kinds' column has a new width: its wrapped captions may need other heights.
    resizeRowsToContents();
}

void SummaryTable::rowDoubleClicked(int row) {
    const QTableWidgetItem* caption = item(row, 0);
    if (caption == nullptr || !caption->data(kLossRole).toBool() || !onKindWithLosses)
        return;
    onKindWithLosses(static_cast<engine::RowKind>(caption->data(kKindRole).toInt()));
}

}  // namespace kalvex::app
