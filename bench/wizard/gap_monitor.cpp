#include "wizard/gap_monitor.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <iterator>

namespace kalvex::bench {
namespace {

std::int64_t processorNow() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace

void GapMonitor::start() {
    gaps_.clear();
    marks_.clear();
    clock_.start();
    last_ = 0;
    lastProcessor_ = processorNow();
    marks_.push_back({0, "idle"});
    timer_.start();
}

void GapMonitor::stop() {
    timer_.stop();
    tick();
}

void GapMonitor::mark(const std::string& phase) {
    if (marks_.empty() || marks_.back().phase != phase)
        marks_.push_back({now(), phase});
}

void GapMonitor::tick() {
    const std::int64_t t = now();
    const std::int64_t processor = processorNow();
    gaps_.push_back({last_, t, processor - lastProcessor_});
    last_ = t;
    lastProcessor_ = processor;
}

std::vector<GapMonitor::Span> GapMonitor::spans(const Gap& gap) const {
    std::vector<Span> result;
    // The mark in force at the gap's start: the last one at or before it.
    auto mark = std::upper_bound(marks_.begin(), marks_.end(), gap.from,
                                 [](std::int64_t t, const Mark& m) { return t < m.at; });
    if (mark != marks_.begin())
        --mark;
    for (; mark != marks_.end() && mark->at < gap.to; ++mark) {
        const std::int64_t from = std::max(mark->at, gap.from);
        const auto next = std::next(mark);
        const std::int64_t to = next == marks_.end() ? gap.to : std::min(next->at, gap.to);
        if (to > from)
            result.push_back({mark->phase, to - from});
    }
    return result;
}

std::string GapMonitor::describe(const Gap& gap) const {
    std::string text;
    const std::vector<Span> parts = spans(gap);
    // A gap over thousands of sheets is told by its first and last few phases.
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts.size() > 8 && i == 4) {
            text += " + ... (" + std::to_string(parts.size() - 8) + " more)";
            i = parts.size() - 4;
        }
        char ms[32];
        std::snprintf(ms, sizeof ms, " %.1f ms", static_cast<double>(parts[i].ns) / 1e6);
        text += (text.empty() ? "" : " + ") + parts[i].phase + ms;
    }
    return text;
}

std::string GapMonitor::mainPhase(const Gap& gap) const {
    const std::vector<Span> parts = spans(gap);
    const auto longest = std::max_element(parts.begin(), parts.end(),
                                          [](const auto& a, const auto& b) { return a.ns < b.ns; });
    return longest == parts.end() ? "" : longest->phase;
}

double GapMonitor::quantile(double q) const {
    if (gaps_.empty())
        return 0;
    std::vector<double> ms;
    ms.reserve(gaps_.size());
    for (const Gap& gap : gaps_)
        ms.push_back(gap.ms());
    const auto at =
        ms.begin() + static_cast<std::ptrdiff_t>(q * static_cast<double>(ms.size() - 1));
    std::nth_element(ms.begin(), at, ms.end());
    return *at;
}

}  // namespace kalvex::bench
