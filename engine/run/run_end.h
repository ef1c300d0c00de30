#pragma once

#include "db/dry_run.h"
#include "db/tdm.h"
#include "engine/run/run_ledger.h"

namespace kalvex::engine {

// Ends the run's transaction, so that what is reported afterwards is what the database
// holds. A run commits what it kept (the connection stays open); a dry run (`dryRun`
// holds the generators as they stood before it) is rolled back whole, its generators
// set back, and the connection closed. A commit that fails is rolled back: the counts
// since the run's last commit move to the ledger's lost rows, and the failure passes on.
// A journaled run notes its end (`stopped` or completed) in its journal first.
void endRun(db::Tdm& dm, RunLedger& ledger, const db::GeneratorValues* dryRun, bool stopped);

}  // namespace kalvex::engine
