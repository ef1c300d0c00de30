#include "engine/run_ledger.h"

#include <cstddef>

namespace kalvex::engine {

void RunLedger::loseUncommitted() {
    for (std::size_t i = 0; i < static_cast<std::size_t>(RowKind::kindCount); ++i) {
        const auto kind = static_cast<RowKind>(i);
        const int uncommitted = counts_[kind].written - committed_[kind].written;
        counts_[kind].written -= uncommitted;
        counts_[kind].failed += uncommitted;
        lost_[kind].written += uncommitted;
    }
    committed_ = counts_;
    unjournaled_.clear();
}

}  // namespace kalvex::engine
