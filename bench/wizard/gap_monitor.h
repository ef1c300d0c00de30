#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <string>
#include <vector>

// How long the event loop of the thread it lives in went without a turn. A 1 ms timer
// fires on every turn that handles timers (an idle loop, and every processEvents call
// of a busy one), so the time between two firings is how long the window could not
// repaint or take a click. Phases are marked by name as the observed program moves on,
// so that a long gap can be told by what ran during it.
namespace kalvex::bench {

class GapMonitor : public QObject {
  public:
    struct Gap {
        std::int64_t from = 0, to = 0;  // nanoseconds since start()
        // The process's processor time in it: far below the gap when the program waited
        // (for the disk, or for a processor that other work took).
        std::int64_t processor = 0;
        double ms() const { return static_cast<double>(to - from) / 1e6; }
        double processorMs() const { return static_cast<double>(processor) / 1e6; }
    };
    struct Mark {
        std::int64_t at = 0;
        std::string phase;
    };

    GapMonitor() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    }

    void start();
    void stop();
    // From now on the program is in `phase`; the gap running at the moment is split
    // between this phase and the one before.
    void mark(const std::string& phase);

    const std::vector<Gap>& gaps() const { return gaps_; }
    // The phases that ran during `gap`, with how long each ran in it ("sheet 17 0.4 ms +
    // summary 3.1 ms"), and the phase the gap spent the longest in.
    std::string describe(const Gap& gap) const;
    std::string mainPhase(const Gap& gap) const;
    // The gap length at quantile q (0..1) of all gaps, in milliseconds.
    double quantile(double q) const;

  private:
    void tick();
    std::int64_t now() const { return clock_.nsecsElapsed(); }
    struct Span {
        std::string phase;
        std::int64_t ns;
    };
    std::vector<Span> spans(const Gap& gap) const;

    QElapsedTimer clock_;
    QTimer timer_;
    std::int64_t last_ = 0, lastProcessor_ = 0;
    std::vector<Gap> gaps_;
    std::vector<Mark> marks_;
};

}  // namespace kalvex::bench
