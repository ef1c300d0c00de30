#pragma once

namespace kalvex::db {

// The Firebird client answers SIGINT and SIGTERM by shutting down every connection of
// the process, under whatever the program is doing with them; this refuses that
// shutdown, so that the program's own handlers (installed before the first connection,
// which the client then calls as well) decide how a signal ends the work.
void refuseClientSignalShutdown();

}  // namespace kalvex::db
