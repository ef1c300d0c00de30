#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/date_time.h"
#include "engine/run/run_context.h"
#include "ereport/element.h"

// The parts of a sheet's medico-diagnostic referrals that need none of the version's
// element types: the codes of a referral, its tests and the national referral of NRD
// 2018 and 2021. ImportMDDs (diagnostic_referrals.cpp) puts them together per version.
namespace kalvex::engine::mdd {

// What the rows and log lines of a referral take from its sheet.
struct Sheet {
    std::string noAl;
    common::DateTime date;  // "dataAl"
};

// "MDDFor" of the e-report as MED_DIAG_NAPR_TYPE_ID (NRD 2006 on); -1 when unknown.
std::int32_t MapMDDNaprTypes(std::int32_t mddFor);

// The diagnosis codes of an "MDDMKB" text: up to 6 characters the whole text is the
// main code; a longer one gives its first two blank-separated pieces, a piece longer
// than 6 characters becoming empty. `leftOut` holds the further non-empty pieces.
struct MddCodes {
    std::string main;
    std::string add;
    std::vector<std::string> leftOut;
};
MddCodes ReadMddMkb(std::string_view text);

// Names in the log the codes a referral row had no room for (`written` of them fit).
void logCodesLeftOut(RunState& run, const Sheet& sheet, std::string_view noMDD, int written,
                     const std::vector<std::string>& leftOut);

// The duplicate line of a referral row.
std::string duplicateReferralLine(const Sheet& sheet);

// NRD 2022: the EXAM_ANALYSIS rows of one referral `mdd` numbered `noMDD`, its tests
// `codes` ("PP.CC") attached to its BLANKA_MDN row `referralId` (0: it has none).
void ImportSingleAnalysis2022(RunState& run, const Sheet& sheet, const ereport::Element& mdd,
                              const std::string& noMDD, std::int32_t referralId,
                              const std::vector<std::string>& codes);

// NRD 2005 to 2021: the EXAM_ANALYSIS row of the test `code` of the referral numbered
// `noMDD`, whose row is `referralId` (0: none). A code not of the form "PP.CC" stops the run.
void ImportSingleAnalysis(RunState& run, const Sheet& sheet, const std::string& noMDD,
                          std::int32_t referralId, const std::string& code);

// A national e-referral of NRD 2018 or 2021 (its number longer than 10 characters),
// written to NZIS_MDN.
struct NationalReferral {
    std::string noMDD;
    std::string mainCode;
    std::vector<std::string> tests;  // the "kodMDD" texts
    std::string hState;              // the sheet's "HState", where the symptoms are named
    bool withStatus = false;         // NRD 2021 writes NZIS_STATUS 1
};
void ImportNationalMdn(RunState& run, const Sheet& sheet, const NationalReferral& referral);

}  // namespace kalvex::engine::mdd
