#include "app/data_module.h"

#include "common/program_path.h"

namespace kalvex::app {

DataModule::DataModule(const std::string& programPath)
    : logger_(std::make_unique<common::TLogger>(common::changeFileExt(programPath, ".log"))),
      optionsFileName_(common::changeFileExt(programPath, ".ini")) {
    common::AppLogger = logger_.get();
}

DataModule::~DataModule() {
    common::AppLogger = nullptr;
}

}  // namespace kalvex::app
