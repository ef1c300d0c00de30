#pragma once

#include <string>

#include "engine/run/import_counts.h"
#include "support/report_builder.h"

// Synthetic NRD 2022 e-reports of one general practitioner for the import benchmark:
// a month's sheets with every element kind the import writes, the documents issued on
// them included, drawn from a fixed seed so that two runs of the same size import the
// same report.
namespace kalvex::bench {

struct GeneratedReport {
    testing::ReportInput input;
    int patients = 0;               // distinct patients among the sheets
    engine::ImportCounts expected;  // the rows of each kind its import writes (`written`)
};

// `sheets` ambulatory sheets; about 30% of them are a further visit of a patient seen
// earlier in the report, so the import finds as well as creates patients.
// `immunisationPercent` of the sheets record an immunisation, each making the import
// commit after its sheet.
GeneratedReport generateReport(int sheets, int immunisationPercent = 10, unsigned seed = 2022);

}  // namespace kalvex::bench
