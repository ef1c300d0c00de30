#pragma once

#include <cstddef>
#include <functional>

namespace kalvex::ereport {

// What a caller wants done between blocks of a long load, about every 256 KB of the
// file (a window lets its queued messages run there). It must not throw, and must not
// touch the report being loaded. Empty: the load runs straight through.
using BetweenBlocks = std::function<void()>;

// Runs the hook each time the work has moved another block past the last run.
class BlockPacer {
  public:
    static constexpr std::size_t kBlockBytes = 256 * 1024;

    explicit BlockPacer(const BetweenBlocks& hook, std::size_t block = kBlockBytes)
        : hook_(hook), block_(block), next_(block) {}

    // `done` counts the units of work done so far (bytes, elements).
    void at(std::size_t done) {
        if (done < next_ || !hook_)
            return;
        next_ = done + block_;
        hook_();
    }
    // Between two steps of the load.
    void step() {
        if (hook_)
            hook_();
    }

  private:
    const BetweenBlocks& hook_;
    std::size_t block_;
    std::size_t next_;
};

}  // namespace kalvex::ereport
