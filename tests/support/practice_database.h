#pragma once

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "support/temp_dir.h"

namespace kalvex::testing {

// Builds a practice database from schema/ at `path` with tools/make_practice_db.sh.
inline void buildPracticeDatabase(const std::string& path) {
    const char* source = std::getenv("KALVEX_SOURCE_DIR");
    if (source == nullptr)
        throw std::runtime_error("KALVEX_SOURCE_DIR is not set");
    const std::string command =
        std::string(source) + "/tools/make_practice_db.sh '" + path + "' >&2";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("building the practice database failed: " + command);
}

// A fresh practice database built from schema/, in a temporary folder of its own that
// goes with it.
class PracticeDatabase {
  public:
    explicit PracticeDatabase(const std::string& fileName = "practice.fdb")
        : path_(dir_.file(fileName)) {
        buildPracticeDatabase(path_);
    }

    const std::string& path() const { return path_; }

  private:
    TempDir dir_;
    std::string path_;
};

}  // namespace kalvex::testing
