#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace kalvex::app {

// SIGTERM, SIGHUP (a logout, a shutdown) and SIGINT close the wizard as its close
// button does: an import under way runs to its end and is committed, an open box is
// answered as by Escape, and the program ends. The handler only writes a byte to a
// pipe; the window's own thread does the rest when its event loop turns. Create it once,
// before the first database connection.
class StopSignals : public QObject {
  public:
    StopSignals();
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

  private:
    void closeEverything();

    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace kalvex::app
