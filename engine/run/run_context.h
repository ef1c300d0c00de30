#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/tdm.h"
#include "engine/sheet/catalogue_lookups.h"
#include "engine/run/import_counts.h"
#include "engine/run/import_settings.h"
#include "engine/run/import_user.h"
#include "engine/journal/row_fingerprint.h"
#include "engine/run/run_ledger.h"
#include "ereport/xml_report.h"

// The state of one import run that every importer reads and sets: the database, the
// user's choices, whom to ask, and the doctor, patient and examination of the moment.
namespace kalvex::engine {

class RunState {
  public:
    RunState(db::Tdm& dm, const ImportSettings& settings, ImportUser& user, RunLedger& ledger)
        : dm(dm), settings(settings), user(user), ledger(ledger), catalogues(dm) {}

    db::Tdm& dm;
    const ImportSettings& settings;
    ImportUser& user;
    // What the run has kept so far, across the files of a folder.
    RunLedger& ledger;
    // The reference catalogues' answers of this run.
    CatalogueLookups catalogues;

    std::int32_t XMLDoctorIndex = 0;
    std::int32_t CurrentDoctorID = 0;
    std::int32_t CurrentPatientID = 0;
    std::int32_t CurrentPregledID = 0;

    // What the work under way did: the sheet being imported, or the work between
    // sheets (the run's doctor, hired doctors); it joins the ledger when that work is
    // kept, and is dropped with a rolled-back sheet.
    ImportCounts counts;
    // The journal lines of the same work: what it inserted and what it changed.
    std::vector<std::string> journal;
    RowFingerprints fingerprints;
    // An inserted row, for the journal.
    void noteInsert(const std::string& table, std::int32_t id, std::int64_t fingerprint);
    // Sets `column` of the row `id` of `table` to `value`, noting the old value and the
    // new one as the column holds them, so that the change can be taken back.
    void updateColumn(const std::string& table, const std::string& column, std::int32_t id,
                      const common::Variant& value);
    // Everything the work under way did joins the ledger.
    void keepWork();

    // Set by an importer whose rows must be durable at once (immunisations): the
    // driver commits, keeping the transaction, when the sheet has been written whole.
    bool commitAfterSheet = false;

    // "Salvix S": a specialist's database, with the referral and visit columns.
    bool isSpecialist() const { return settings.edition != 0; }

    // A line of the log (and of the details page), on one line however many the
    // message has, so that every line of the file carries its time stamp.
    void log(const std::string& message) const;
};

// The run of one NRD version: the bound e-report, held for as long as the run refers
// to its elements, and the version's doctor, sheet and patient of the moment.
template <class V>
class RunContext : public RunState {
  public:
    using Report = ereport::XmlReport::Bound<V::index>;

    RunContext(db::Tdm& dm, const Report& report, const ImportSettings& settings, ImportUser& user,
               RunLedger& ledger)
        : RunState(dm, settings, user, ledger), report(report) {}

    const Report report;
    typename V::Doctor CurrentDoctor;
    typename V::AmbList CurrentAmbList;
    typename V::Patient CurrentPatient;
};

}  // namespace kalvex::engine
