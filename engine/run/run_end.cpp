#include "engine/run/run_end.h"

#include "common/error.h"
#include "engine/journal/run_journal.h"

namespace kalvex::engine {

void endRun(db::Tdm& dm, RunLedger& ledger, const db::GeneratorValues* dryRun, bool stopped) {
    if (dryRun != nullptr) {
        db::rollbackRun(dm, *dryRun);
        return;
    }
    // A transaction given up inside the run has taken its rows with it already.
    if (!dm.traMain.isActive())
        return;
    try {
        endJournal(dm, ledger, stopped);
        dm.traMain.commit();
    } catch (const Error&) {
        ledger.loseUncommitted();
        try {
            dm.traMain.rollback();
        } catch (const Error&) {
            // The commit's failure is the one to tell; a transaction that cannot be
            // rolled back either is undone by the database when the connection goes.
        }
        throw;
    }
    ledger.committed();
}

}  // namespace kalvex::engine
