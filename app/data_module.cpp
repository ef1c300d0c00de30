#include "app/data_module.h"

#include "common/error.h"
#include "common/program_files.h"
#include "db/gdb_mediator.h"

namespace kalvex::app {

DataModule::DataModule(const std::string& programPath)
    : logger_(std::make_unique<common::TLogger>(common::logFilePath(programPath))),
      optionsFileName_(common::optionsFilePath(programPath)) {
    common::AppLogger = logger_.get();
}

DataModule::~DataModule() {
    // The database's own end would commit a dry run left open.
    if (dryRun) {
        try {
            closeDatabase();
        } catch (const Error& e) {
            // Nothing is left to tell but the log: the window has gone.
            logger_->LogEntry(e.what());
        }
    }
    common::AppLogger = nullptr;
}

void DataModule::closeDatabase() {
    if (!dryRun) {
        db::GDBCloseDatabase(database);
        return;
    }
    const db::GeneratorValues generators = std::move(*dryRun);
    dryRun.reset();
    db::rollbackRun(database, generators);
}

}  // namespace kalvex::app
