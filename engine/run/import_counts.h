#pragma once

#include <array>
#include <cstddef>
#include <string>

// What a run did, per kind of row, for the end-of-run summary.
namespace kalvex::engine {

enum class RowKind : std::size_t {
    doctor,
    patient,
    examination,
    medicalReferral,     // BLANKA_MED_NAPR
    diagnosticReferral,  // BLANKA_MDN, NZIS_MDN
    analysis,            // EXAM_ANALYSIS
    consultation,        // BLANKA_MED_NAPR_3A
    commission,          // EXAM_LKK
    commissionMember,    // EXAM_LKK_DOCTOR
    telkReferral,        // BLANKA_NAPR_TELK
    hospitalisation,     // HOSPITALIZATION
    immunisation,        // EXAM_IMMUNIZATION
    prescription,        // FREE_RECIPE
    sickLeave,           // EXAM_BOLN_LIST
    kindCount
};

struct RowCounts {
    int written = 0;   // inserted by this run
    int existing = 0;  // already in the database, left as it was
    // Not written, for a reason the log names, by the class of that reason:
    int skippedUnknownCode = 0;  // a catalogue or speciality code the database lacks
    int skippedNotFound = 0;     // a patient or doctor not found, or one the user declined
    int skippedLeftOut = 0;      // passed over for want of room, a user's No or a refusal
    int failed = 0;              // rolled back by an error that stopped the run

    int skipped() const { return skippedUnknownCode + skippedNotFound + skippedLeftOut; }
    bool any() const { return written + existing + skipped() + failed > 0; }
    RowCounts& operator+=(const RowCounts& other);
};

class ImportCounts {
  public:
    RowCounts& operator[](RowKind kind) { return counts_[static_cast<std::size_t>(kind)]; }
    const RowCounts& operator[](RowKind kind) const {
        return counts_[static_cast<std::size_t>(kind)];
    }

    // Adds the counts of another file's run; the later stop's sheet wins.
    ImportCounts& operator+=(const ImportCounts& other);

    // The sheet (its number in the e-report) the run stopped at; empty when the run
    // stopped outside the sheets, or did not stop.
    std::string stoppedSheet;

  private:
    std::array<RowCounts, static_cast<std::size_t>(RowKind::kindCount)> counts_{};
};

}  // namespace kalvex::engine
