#pragma once

#include <cstdint>
#include <string>

#include "db/tdm.h"
#include "engine/import_counts.h"
#include "engine/import_settings.h"
#include "engine/import_user.h"
#include "ereport/xml_report.h"

// The state of one import run that every importer reads and sets: the database, the
// user's choices, whom to ask, and the doctor, patient and examination of the moment.
namespace kalvex::engine {

class RunState {
  public:
    RunState(db::Tdm& dm, const ImportSettings& settings, ImportUser& user)
        : dm(dm), settings(settings), user(user) {}

    db::Tdm& dm;
    const ImportSettings& settings;
    ImportUser& user;

    std::int32_t XMLDoctorIndex = 0;
    std::int32_t CurrentDoctorID = 0;
    std::int32_t CurrentPatientID = 0;
    std::int32_t CurrentPregledID = 0;

    ImportCounts counts;
    // Set by an importer whose rows must be durable at once (immunisations): the
    // driver commits, keeping the transaction, when the sheet has been written whole.
    bool commitAfterSheet = false;

    // "Salvix S": a specialist's database, with the referral and visit columns.
    bool isSpecialist() const { return settings.edition != 0; }

    // A line of the log (and of the details page).
    void log(const std::string& message) const;
};

// The run of one NRD version: the bound e-report, held for as long as the run refers
// to its elements, and the version's doctor, sheet and patient of the moment.
template <class V>
class RunContext : public RunState {
  public:
    using Report = ereport::XmlReport::Bound<V::index>;

    RunContext(db::Tdm& dm, const Report& report, const ImportSettings& settings, ImportUser& user)
        : RunState(dm, settings, user), report(report) {}

    const Report report;
    typename V::Doctor CurrentDoctor;
    typename V::AmbList CurrentAmbList;
    typename V::Patient CurrentPatient;
};

}  // namespace kalvex::engine
