#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/tdm.h"

// The journaled runs of a practice database, oldest first.
namespace kalvex::engine {

struct RunRecord {
    std::int32_t id = 0;
    std::string started, finished;  // "yyyy-mm-dd hh:nn:ss"; finished empty when it never ended
    std::string state;              // completed, stopped, undone, partly undone
    std::string nrd;
    std::vector<std::string> files;
    std::string doctors;
    std::int64_t rows = 0;
};

// None in a database without a journal.
std::vector<RunRecord> journaledRuns(db::Tdm& dm);

// A heading and one tab-separated line per run; and a JSON array of objects.
std::vector<std::string> runsLines(const std::vector<RunRecord>& runs);
std::string runsJson(const std::vector<RunRecord>& runs);

}  // namespace kalvex::engine
