#include "app/undo_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <string>

#include "app/dialogs.h"
#include "app/focus_marker.h"
#include "app/qt_text.h"
#include "app/undo_flow.h"
#include "common/error.h"
#include "db/database_error.h"

namespace kalvex::app {
namespace {

// The journal's states in the words of the window.
QString stateText(const std::string& state) {
    if (state == "completed")
        return "завършен";
    if (state == "stopped")
        return "спрян";
    if (state == "undone")
        return "отменен";
    if (state == "partly undone")
        return "отменен отчасти";
    return q(state);
}

QTableWidgetItem* cell(const QString& text, bool number = false) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

UndoDialog::UndoDialog(db::Tdm& dm, Dialogs& dialogs, common::TLogger& log, QWidget* parent)
    : QDialog(parent), dm_(dm), dialogs_(dialogs), log_(log) {
    setWindowTitle(kUndoCaption);
    resize(720, 320);
    tblRuns = new QTableWidget(0, 7, this);
    tblRuns->setHorizontalHeaderLabels(
        {"№", "Започнат", "Завършен", "Състояние", "НРД", "Файлове", "Записани редове"});
    tblRuns->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblRuns->setSelectionMode(QAbstractItemView::SingleSelection);
    tblRuns->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblRuns->verticalHeader()->setVisible(false);
    tblRuns->horizontalHeader()->setStretchLastSection(true);
    btnUndo = new QPushButton("Отмени", this);
    btnClose = new QPushButton("Затвори", this);
    // Enter on the list takes the selected run back (after asking); on a button it
    // presses that button.
    btnUndo->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnUndo);
    buttons->addWidget(btnClose);
    auto* column = new QVBoxLayout(this);
    column->addWidget(tblRuns, 1);
    column->addLayout(buttons);
    new FocusMarker(this);

    connect(btnUndo, &QPushButton::clicked, this, [this] { btnUndoClick(); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(tblRuns, &QTableWidget::itemSelectionChanged, this, [this] { selectionChange(); });
    refresh(0);
    tblRuns->setFocus(Qt::OtherFocusReason);
}

void UndoDialog::refresh(std::int32_t selected) {
    runs_ = engine::journaledRuns(dm_);
    std::reverse(runs_.begin(), runs_.end());
    tblRuns->setRowCount(static_cast<int>(runs_.size()));
    int selectedRow = runs_.empty() ? -1 : 0;
    for (int row = 0; row < tblRuns->rowCount(); ++row) {
        const engine::RunRecord& run = runs_[static_cast<std::size_t>(row)];
        if (run.id == selected)
            selectedRow = row;
        QStringList names, paths;
        for (const std::string& file : run.files) {
            names.push_back(q(std::filesystem::path(file).filename().string()));
            paths.push_back(q(file));
        }
        QTableWidgetItem* files = cell(names.join(", "));
        files->setToolTip(paths.join('\n'));
        tblRuns->setItem(row, 0, cell(QString::number(run.id), true));
        tblRuns->setItem(row, 1, cell(q(run.started)));
        tblRuns->setItem(row, 2, cell(q(run.finished)));
        tblRuns->setItem(row, 3, cell(stateText(run.state)));
        tblRuns->setItem(row, 4, cell(q(run.nrd)));
        tblRuns->setItem(row, 5, files);
        tblRuns->setItem(row, 6, cell(QString::number(run.rows), true));
    }
    tblRuns->resizeColumnsToContents();
    if (selectedRow >= 0)
        tblRuns->selectRow(selectedRow);
    selectionChange();
}

std::int32_t UndoDialog::selectedRun() const {
    const QList<QTableWidgetItem*> items = tblRuns->selectedItems();
    if (items.isEmpty())
        return 0;
    return runs_[static_cast<std::size_t>(items.front()->row())].id;
}

void UndoDialog::selectionChange() {
    // A run already taken back has nothing left to take.
    const std::int32_t run = selectedRun();
    btnUndo->setEnabled(run != 0 && std::none_of(runs_.begin(), runs_.end(), [run](const auto& r) {
                            return r.id == run && r.state == "undone";
                        }));
}

void UndoDialog::btnUndoClick() {
    const std::int32_t run = selectedRun();
    if (run == 0)
        return;
    if (!askAndUndoRun(this, dialogs_, log_, dm_, run))
        return;
    try {
        refresh(run);
    } catch (const Error& e) {
        dialogs_.error(this, db::failureText(e));
    }
    // "Отмени" is disabled now that its run is taken back: the list keeps the focus.
    if (!btnUndo->isEnabled())
        tblRuns->setFocus(Qt::OtherFocusReason);
}

}  // namespace kalvex::app
