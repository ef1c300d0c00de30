#pragma once

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "support/temp_dir.h"

namespace kalvex::testing {

// A fresh practice database built from schema/ by tools/make_practice_db.sh, in a
// temporary folder of its own that goes with it.
class PracticeDatabase {
  public:
    explicit PracticeDatabase(const std::string& fileName = "practice.fdb")
        : path_(dir_.file(fileName)) {
        const char* source = std::getenv("KALVEX_SOURCE_DIR");
        if (source == nullptr)
            throw std::runtime_error("KALVEX_SOURCE_DIR is not set");
        const std::string command =
            std::string(source) + "/tools/make_practice_db.sh '" + path_ + "' >&2";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("building the practice database failed: " + command);
    }

    const std::string& path() const { return path_; }

  private:
    TempDir dir_;
    std::string path_;
};

}  // namespace kalvex::testing
