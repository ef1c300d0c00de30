#pragma once

#include <chrono>
#include <ctime>

namespace kalvex::bench {

// Wall time and the process's processor time since construction. The embedded server
// runs in the process, so the two together tell computing from waiting (for the disk,
// or for the processor while other work shares the machine).
class Stopwatch {
  public:
    struct Reading {
        double wall = 0, processor = 0;
    };

    Stopwatch() : wall_(std::chrono::steady_clock::now()), processor_(processorNow()) {}
    Reading elapsed() const {
        return {std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count(),
                processorNow() - processor_};
    }

  private:
    static double processorNow() {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    }

    std::chrono::steady_clock::time_point wall_;
    double processor_;
};

}  // namespace kalvex::bench
