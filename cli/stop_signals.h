#pragma once

namespace kalvex::cli {

// Ctrl-C, SIGTERM and SIGHUP ask the run to stop: the sheet under way is finished, what
// came before is committed and the summary says the run was interrupted. A second
// signal ends the program at once, losing what was not committed yet. The database
// client's own handling of SIGINT and SIGTERM, which would shut every connection down
// under the run, is refused.
void handleStopSignals();

}  // namespace kalvex::cli
