#pragma once

#include <string>
#include <vector>

#include "import/stopwatch.h"

// The limit the import is measured against: the very rows one import wrote, written
// again into a fresh database by the bare client library, in the order and with the
// commits of the import, and nothing else.
//
// The rows are read back from the imported database: its run journal (KALVEX_RUN_ROWS)
// lists every inserted row as table and ID in the order of the inserts, which is the
// order of the sheets in the document; each row is read as the run left it (a column
// the import set after the insert holds its final value). The replay inserts them in
// that order, each table through one prepared INSERT of every column, the ID included,
// bound straight from the bytes the select returned, so no value is converted on the
// way. The import commits (retaining) after every sheet that wrote an immunisation:
// the replay commits before the first row of the sheet that follows such a sheet (a
// new patient or an examination) and at the end.
//
// Left out, as the import's own work: its look-ups, the savepoint of each sheet, the
// updates after an insert, the fingerprints its inserts return and the journal's own
// rows.
namespace kalvex::bench {

class ImportedRows {
  public:
    // The rows the journaled import into `database` wrote.
    explicit ImportedRows(const std::string& database);
    ~ImportedRows();
    ImportedRows(const ImportedRows&) = delete;
    ImportedRows& operator=(const ImportedRows&) = delete;

    int rows() const { return static_cast<int>(order_.size()); }
    int commits() const;

    // Writes them into `freshDatabase`: the time from the first insert to the end of
    // the last commit.
    Stopwatch::Reading replay(const std::string& freshDatabase) const;

  private:
    struct Table;
    struct Entry {
        std::size_t table;
        std::size_t row;
        bool commitBefore;
    };

    std::vector<Table> tables_;
    std::vector<Entry> order_;
};

}  // namespace kalvex::bench
