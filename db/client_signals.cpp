#include "db/client_signals.h"

#include <ibase.h>

namespace kalvex::db {
namespace {

// The client asks its shutdown callbacks first; a non-zero answer refuses the shutdown.
int refuseSignalShutdown(const int reason, const int, void*) {
    return reason == fb_shutrsn_signal ? 1 : 0;
}

}  // namespace

void refuseClientSignalShutdown() {
    ISC_STATUS_ARRAY status;
    // Registering fails only without memory; the client then keeps its own rule.
    fb_shutdown_callback(status, refuseSignalShutdown, fb_shut_confirmation, nullptr);
}

}  // namespace kalvex::db
