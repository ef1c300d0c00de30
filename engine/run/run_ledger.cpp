#include "engine/run/run_ledger.h"

#include <cstddef>

namespace kalvex::engine {

void RunLedger::Tally::loseUncommitted() {
    for (std::size_t i = 0; i < static_cast<std::size_t>(RowKind::kindCount); ++i) {
        const auto kind = static_cast<RowKind>(i);
        const int uncommitted = counts[kind].written - committed[kind].written;
        counts[kind].written -= uncommitted;
        counts[kind].failed += uncommitted;
        lost[kind].written += uncommitted;
    }
    committed = counts;
}

std::vector<DoctorShare> RunLedger::doctorShares() const {
    std::vector<DoctorShare> shares;
    shares.reserve(shares_.size());
    for (const Share& share : shares_)
        shares.push_back({share.uin, share.name, share.databaseDoctorId, share.tally.counts});
    return shares;
}

void RunLedger::join(const ImportCounts& work, std::vector<std::string> journal) {
    forEachTally([&](Tally& tally) { tally.counts += work; });
    for (std::string& line : journal)
        unjournaled_.push_back(std::move(line));
}

void RunLedger::doctorOfFile(std::int32_t id) {
    if (std::find(doctors.begin(), doctors.end(), id) == doctors.end())
        doctors.push_back(id);
    if (current_ && id != 0)
        shares_[*current_].databaseDoctorId = id;
}

void RunLedger::beginDoctor(const std::string& uin, const std::string& name) {
    const auto same = std::find_if(shares_.begin(), shares_.end(),
                                   [&](const Share& share) { return share.uin == uin; });
    if (same != shares_.end()) {
        current_ = static_cast<std::size_t>(same - shares_.begin());
        return;
    }
    current_ = shares_.size();
    shares_.push_back(Share{uin, name, 0, {}});
}

void RunLedger::fail(RowKind kind) {
    forEachTally([kind](Tally& tally) { ++tally.counts[kind].failed; });
}

void RunLedger::committed() {
    total_.committed = total_.counts;
    for (Share& share : shares_)
        share.tally.committed = share.tally.counts;
}

void RunLedger::loseUncommitted() {
    total_.loseUncommitted();
    for (Share& share : shares_)
        share.tally.loseUncommitted();
    unjournaled_.clear();
}

}  // namespace kalvex::engine
