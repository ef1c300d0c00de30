#pragma once

#include <array>
#include <cstddef>

// What a run did, per kind of row, for the end-of-run summary.
namespace kalvex::engine {

enum class RowKind : std::size_t {
    doctor,
    patient,
    examination,
    medicalReferral,    // BLANKA_MED_NAPR
    diagnosticReferral, // BLANKA_MDN, NZIS_MDN
    analysis,           // EXAM_ANALYSIS
    consultation,       // BLANKA_MED_NAPR_3A
    commission,         // EXAM_LKK
    commissionMember,   // EXAM_LKK_DOCTOR
    telkReferral,       // BLANKA_NAPR_TELK
    hospitalisation,    // HOSPITALIZATION
    immunisation,       // EXAM_IMMUNIZATION
    prescription,       // FREE_RECIPE
    sickLeave,          // EXAM_BOLN_LIST
    kindCount
};

struct RowCounts {
    int written = 0;  // inserted by this run
    int existing = 0; // already in the database, left as it was
    int skipped = 0;  // not written for a reason the log names
    int failed = 0;   // rolled back by an error that stopped the run
};

class ImportCounts {
  public:
    RowCounts& operator[](RowKind kind) { return counts_[static_cast<std::size_t>(kind)]; }
    const RowCounts& operator[](RowKind kind) const {
        return counts_[static_cast<std::size_t>(kind)];
    }

  private:
    std::array<RowCounts, static_cast<std::size_t>(RowKind::kindCount)> counts_{};
};

}  // namespace kalvex::engine
