#include "engine/run/import_counts.h"

namespace kalvex::engine {

RowCounts& RowCounts::operator+=(const RowCounts& other) {
    written += other.written;
    existing += other.existing;
    skippedUnknownCode += other.skippedUnknownCode;
    skippedNotFound += other.skippedNotFound;
    skippedLeftOut += other.skippedLeftOut;
    failed += other.failed;
    return *this;
}

ImportCounts& ImportCounts::operator+=(const ImportCounts& other) {
    for (std::size_t i = 0; i < counts_.size(); ++i)
        counts_[i] += other.counts_[i];
    if (!other.stoppedSheet.empty())
        stoppedSheet = other.stoppedSheet;
    return *this;
}

}  // namespace kalvex::engine
