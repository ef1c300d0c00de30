#pragma once

#include <memory>
#include <string>

#include "ereport/document.h"
#include "support/temp_dir.h"

namespace kalvex::testing {

// Writes e-report texts into a fresh folder and parses them.
class ReportFiles {
  public:
    std::string write(const std::string& xml, const std::string& name = "report.xml") {
        const std::string fileName = dir_.file(name);
        writeBytes(fileName, xml);
        return fileName;
    }
    std::shared_ptr<ereport::Document> parse(const std::string& xml) {
        return ereport::Document::load(write(xml));
    }
    const TempDir& dir() const { return dir_; }

  private:
    TempDir dir_;
};

}  // namespace kalvex::testing
