#include "cli/stop_signals.h"

#include <unistd.h>

#include <csignal>
#include <cstring>

#include "db/client_signals.h"
#include "engine/run/interruption.h"

namespace kalvex::cli {
namespace {

constexpr char kEndedAtOnce[] =
    "\nImportът е прекратен веднага: незаписаното в базата след последното потвърждаване е "
    "загубено.\n";

void onStopSignal(int) {
    if (engine::interruptionRequested()) {
        // Only async-signal-safe calls here.
        const ssize_t ignored = write(STDERR_FILENO, kEndedAtOnce, sizeof kEndedAtOnce - 1);
        (void)ignored;
        _exit(1);
    }
    engine::requestInterruption();
}

}  // namespace

void handleStopSignals() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    // A call of the database client under way goes on after the handler.
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    db::refuseClientSignalShutdown();
}

}  // namespace kalvex::cli
