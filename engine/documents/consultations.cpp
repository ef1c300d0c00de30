// Referrals for highly specialised activities (VSD consultations), every NRD version.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "common/conversions.h"
#include "engine/statements/attachment_insert.h"
#include "engine/documents/attachments.h"
#include "engine/run/nrd_versions.h"
#include "engine/documents/referral_codes.h"
#include "engine/sheet/sheet_number.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

// NRD 2005 has the first six columns, NRD 2006 adds the date, reason and diagnosis,
// NRD 2009 the code pairs and NRD 2022 the national number and status.
template <class V>
const InsertStatement& consultationInsert() {
    static const InsertStatement insert = [] {
        std::vector<InsertColumn> columns{"NUMBER",           "SPECIALITY_ID", "PREGLED_ID",
                                          "MED_NAPR_TYPE_ID", "VSD_CODE",      "IS_BOLNICHNA"};
        if constexpr (V::year >= 2006)
            columns.insert(columns.end(), {"ISSUE_DATE", "REASON", "ICD_CODE", "DIAGNOSES"});
        if constexpr (V::year >= 2009)
            columns.insert(columns.end(), {"ICD_CODE_ADD", "ICD_CODE2", "ICD_CODE2_ADD",
                                           "ICD_CODE3", "ICD_CODE3_ADD"});
        if constexpr (V::year == 2022)
            columns.insert(columns.end(), {"NRN", "NZIS_STATUS"});
        return buildInsert("BLANKA_MED_NAPR_3A", columns);
    }();
    return insert;
}

// The e-report's "VSDFor" as the database's referral type: unlike a medical referral,
// an unknown value is type 1. NRD 2005 writes it unmapped.
std::int32_t vsdFor(std::int32_t value) {
    static constexpr std::array<std::pair<std::int32_t, std::int32_t>, 6> types{
        {{1, 1}, {2, 2}, {4, 3}, {6, 4}, {7, 5}, {13, 6}}};
    for (const auto& [from, to] : types)
        if (from == value)
            return to;
    return 1;
}

// The name of the highly specialised activity, in or outside hospital; empty when the
// catalogue has none.
std::string activityName(RunState& run, const std::string& hospital, const std::string& code) {
    std::string name;
    const std::string sql =
        "SELECT NAME FROM PROCEDURES WHERE HI_SPECIALIZED = 'Y' AND "
        "EFFECTIVE = 'Y' AND IS_HOSPITAL = :HOSPITAL AND " +
        sameText("CODE", "CODE");
    run.catalogues.ReadSqlValue(sql, name, {{"HOSPITAL", hospital}, {"CODE", code}});
    return name;
}

}  // namespace

template <class V>
void ImportSingleVSDSIMPConsult(RunContext<V>& run, const typename V::VSDSIMPConsult& consult,
                                int position) {
    const auto& sheet = run.CurrentAmbList;
    // A consultation to a speciality the database does not know is passed over unlogged.
    const std::int32_t speciality = specialityIdByCode(run, consult.KodSpVSD(), true);
    if (speciality == 0) {
        ++run.counts[RowKind::consultation].skippedUnknownCode;
        return;
    }
    const std::string noNVSD = consult.NoNVSD();
    const bool nrn = V::year == 2022 && isNrn(noNVSD);

    ColumnValues row;
    row.setText("NUMBER", nrn ? std::to_string(position) : noNVSD);
    row.setInt("SPECIALITY_ID", speciality);
    row.setInt("PREGLED_ID", run.CurrentPregledID);
    const std::int32_t type = consult.VSDFor();
    row.setInt("MED_NAPR_TYPE_ID", V::year == 2005 ? type : vsdFor(type));
    const std::string code = consult.KodVSD();
    const std::string hospital = common::BOOL2STR(consult.HospVSD());
    row.setText("VSD_CODE", code);
    row.setText("IS_BOLNICHNA", hospital);
    if constexpr (V::year >= 2006) {
        const auto mainDiag = sheet.MainDiag();
        row.set("ISSUE_DATE", common::DateFromSQL(sheet.DataAl()));
        row.setText("REASON", activityName(run, hospital, code));
        row.setText("DIAGNOSES", mainDiag.ImeMD());
        if constexpr (V::year >= 2009) {
            const std::string leftOut = setCodePairs<V>(row, consult.VSDMKB());
            // The statement has room for three codes; NRD 2022 names the rest instead of
            // failing the sheet, earlier versions pass over them as they always did.
            if (V::year == 2022 && !leftOut.empty())
                run.log("АЛ " + sheet.NoAl() + ": направление за ВСД " + noNVSD +
                        ": записани са първите " + std::to_string(kCodePairs) +
                        " кода, не са записани: " + leftOut);
        } else {
            row.setText("ICD_CODE", mainDiag.MKB());
        }
    }
    if constexpr (V::year == 2022) {
        row.setText("NRN", nrn ? noNVSD : ereport::ReadValue(consult, "NRN"));
        row.setInt("NZIS_STATUS", nrn ? 3 : ereport::ReadValueInt(consult, "NzisStatus", 0));
    }
    insertAttachment(run, run.dm.qryVSDSIMPConsult, consultationInsert<V>(), row, " ",
                     RowKind::consultation);
}

#define KALVEX_INSTANTIATE(V)                                                                      \
    template void ImportSingleVSDSIMPConsult<V>(RunContext<V>&, const typename V::VSDSIMPConsult&, \
                                                int);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
