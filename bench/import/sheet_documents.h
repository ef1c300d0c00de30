#pragma once

#include <string>

#include "engine/run/import_counts.h"
#include "import/random_draws.h"

// The documents a generated sheet issues (referrals, tests, consultations, commissions,
// TELK and hospital referrals, immunisations, prescriptions, sick leave), each in the
// share a general practice issues them, and the rows their import is to write.
namespace kalvex::bench {

struct SheetDocuments {
    std::string docs;          // children of "Docs" beside its flags and the prescription
    std::string drugs;         // "RpDrug" children of "Rp", or empty
    std::string immunisation;  // an "Imun" child of "AmbList", or empty
    bool telk = false;         // the sheet's "TalonTELK" flag
};

// Draws from a sequence of its own, so that the sheets and patients drawn beside it stay
// the ones earlier runs of the benchmark imported.
class DocumentDrafter : RandomDraws {
  public:
    // An immunisation makes the import commit after its sheet: `immunisationPercent`
    // of the sheets issue one.
    DocumentDrafter(unsigned seed, int immunisationPercent)
        : RandomDraws(seed), immunisationPercent_(immunisationPercent) {}

    // The documents of a sheet of day `day` of May 2022; adds their rows to `expected`.
    SheetDocuments draw(int day, engine::ImportCounts& expected);

  private:
    std::string nationalNumber(int day, char kind);
    std::string number(int day, char kind, int nationalPercent);
    std::string registerData(const std::string& number);

    std::string medicalReferral(int day);
    std::string diagnosticReferral(int day, int& tests);
    std::string consultation(int day);
    std::string commission(int day, int& members);
    std::string hospitalisation(int day);
    std::string immunisation(int day, int& rows);
    std::string prescription(int day, int& rows);
    std::string sickLeave(int day);

    int immunisationPercent_;
    int serial_ = 0;  // of the national numbers drawn
    int practiceNumber_ = 0;
};

}  // namespace kalvex::bench
