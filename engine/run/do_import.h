#pragma once

#include "db/tdm.h"
#include "engine/run/import_counts.h"
#include "engine/run/import_settings.h"
#include "engine/run/import_user.h"
#include "engine/run/run_ledger.h"
#include "ereport/xml_report.h"

namespace kalvex::engine {

// Imports the chosen doctor's sheets of the e-report loaded last for the chosen NRD
// version into the open database, in its one transaction; commits nothing but what an
// importer must make durable at once. An error that stops the run leaves whole sheets
// before it written and passes on with the text the user is to see.
ImportCounts DoImport(db::Tdm& dm, const ereport::XmlReport& xml, const ImportSettings& settings,
                      ImportUser& user);

// The same, keeping the run's counts in `ledger` (a folder's files add up) as the
// transaction keeps the rows, also when an error stops the run: the ledger then names
// the sheet it stopped at, if any.
void DoImport(db::Tdm& dm, const ereport::XmlReport& xml, const ImportSettings& settings,
              ImportUser& user, RunLedger& ledger);

}  // namespace kalvex::engine
