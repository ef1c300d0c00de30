#pragma once

#include <memory>
#include <optional>
#include <string>

#include "common/logger.h"
#include "db/dry_run.h"
#include "db/tdm.h"
#include "ereport/xml_report.h"

// The program's one data module: the log, the loaded e-report and the practice
// database, and the options file's name. It is created before the window and goes
// after it, so that the log's end line is the last thing it writes.
namespace kalvex::app {

class DataModule {
  public:
    // Creates the log of the program at `programPath` (its start line) and names the
    // options file, both beside the program or in the user's folders (program_files.h).
    explicit DataModule(const std::string& programPath);
    // The database goes first (an open transaction is committed), the log last.
    ~DataModule();
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;

    common::TLogger& logger() { return *logger_; }
    const std::string& OptionsFileName() const { return optionsFileName_; }
    // Ends the run on the database: committed and closed, or for a dry run rolled back,
    // the generators set back, and closed.
    void closeDatabase();

  private:
    std::unique_ptr<common::TLogger> logger_;
    std::string optionsFileName_;

  public:
    ereport::XmlReport xml;
    db::Tdm database;
    // The generators as they stood before a dry run; none outside a dry run.
    std::optional<db::GeneratorValues> dryRun;
};

}  // namespace kalvex::app
