#pragma once

#include <QTableWidget>
#include <functional>
#include <vector>

#include "engine/run/import_counts.h"
#include "engine/run/import_summary.h"
#include "engine/run/run_ledger.h"

namespace kalvex::app {

// The last page's summary of a run: the kinds of row down, the outcome classes across,
// as the log's text table tells them. A whole-practice run's doctors each have a block
// headed by the doctor, the run's total after them; the files and their NRD versions
// close the table. Zero counts are grey, skipped and failed ones that are not zero
// stand out in colour. The table fits its width: heads wrap, the kinds' column takes
// what the numbers leave.
class SummaryTable final : public QTableWidget {
  public:
    explicit SummaryTable(QWidget* parent = nullptr);

    void showRun(const engine::ImportCounts& counts,
                 const std::vector<engine::DoctorShare>& doctors,
                 const std::vector<engine::ImportedFile>& files);

    // Told of a double-click on a kind's row that has skipped or failed rows.
    std::function<void(engine::RowKind kind)> onKindWithLosses;

    // The colours of a zero count, of a skipped and of a failed one.
    static QColor zeroColour();
    static QColor skippedColour();
    static QColor failedColour();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    // A row of one cell across the table: a block's heading, or a line after the counts.
    void addHeading(const QString& text, bool block);
    void addKinds(const engine::ImportCounts& counts);
    // The heads' height for their wrapped lines at the columns' present widths.
    void fitHeader();
    void rowDoubleClicked(int row);
};

}  // namespace kalvex::app
