// Medical referrals issued on a sheet, every NRD version.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "common/conversions.h"
#include "common/error.h"
#include "common/formats.h"
#include "common/numbers.h"
#include "engine/statements/attachment_insert.h"
#include "engine/documents/attachments.h"
#include "engine/run/nrd_versions.h"
#include "engine/documents/referral_codes.h"
#include "engine/sheet/sheet_number.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

// The referral's columns: NRD 2005 to 2008 have the first nine, NRD 2009 adds the code
// pairs and NRD 2022 the national number and status.
template <class V>
const InsertStatement& referralInsert() {
    static const InsertStatement insert = [] {
        std::vector<InsertColumn> columns{"PREGLED_ID",    "NUMBER",        "ISSUE_DATE",
                                          "SPECIALITY_ID", "ICD_CODE",      "DIAGNOSES",
                                          "REASON",        "ATTACHED_DOCS", "MED_NAPR_TYPE_ID"};
        if constexpr (V::year >= 2009)
            columns.insert(columns.end(), {"ICD_CODE_ADD", "ICD_CODE2", "ICD_CODE2_ADD",
                                           "ICD_CODE3", "ICD_CODE3_ADD"});
        if constexpr (V::year == 2022)
            columns.insert(columns.end(), {"NRN", "NZIS_STATUS"});
        return buildInsert("BLANKA_MED_NAPR", columns);
    }();
    return insert;
}

// The e-report's "SpFor" as the database's referral type; NRD 2005 writes it unmapped.
std::int32_t spFor(std::int32_t value) {
    static constexpr std::array<std::pair<std::int32_t, std::int32_t>, 10> types{
        {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {7, 6}, {9, 7}, {10, 8}, {11, 9}, {12, 10}}};
    for (const auto& [from, to] : types)
        if (from == value)
            return to;
    return -1;
}

template <class V>
std::int32_t referralSpeciality(RunContext<V>& run, const std::string& code,
                                const std::string& where) {
    if (const std::int32_t id = specialityIdByCode(run, code, true); id > 0)
        return id;
    // From NRD 2018 on a referral to an unknown speciality goes to the default one;
    // before, the run stops there.
    if constexpr (V::year >= 2018)
        return 63;
    throw Error(where + ": в базата няма действаща специалност с код " + code);
}

template <class V, class Referral>
void importReferral(RunContext<V>& run, const Referral& referral, int index,
                    const std::string& noAl) {
    const auto& sheet = run.CurrentAmbList;
    const std::string noN = referral.NoN();
    const bool nrn = V::year == 2022 && isNrn(noN);
    const std::string where = "АЛ " + noAl + ": медицинско направление " + noN;

    ColumnValues row;
    row.setInt("PREGLED_ID", run.CurrentPregledID);
    row.setInt("NUMBER", nrn ? index : common::StrToInt(noN));
    row.set("ISSUE_DATE", common::DateFromSQL(sheet.DataAl()));
    if constexpr (V::year == 2022) {
        row.setText("NRN", nrn ? noN : ereport::ReadValue(referral, "NRN"));
        row.setInt("NZIS_STATUS", nrn ? 3 : ereport::ReadValueInt(referral, "NzisStatus", 0));
    }
    row.setInt("SPECIALITY_ID", referralSpeciality(run, referral.KodSp(), where));
    const auto mainDiag = sheet.MainDiag();
    row.setText("DIAGNOSES", mainDiag.ImeMD());
    row.setText("REASON", "консултация и лечение");
    const std::int32_t type = referral.SpFor();
    row.setInt("MED_NAPR_TYPE_ID", V::year == 2005 ? type : spFor(type));
    row.setText("ATTACHED_DOCS",
                "Импортиран чрез Kalvex на " + common::DateTimeToStr(common::now()));
    if constexpr (V::year >= 2009) {
        const std::string leftOut = setCodePairs<V>(row, referral.SIMPMKB());
        // The statement has room for three codes; NRD 2022 names the rest instead of
        // failing the sheet, earlier versions pass over them as they always did.
        if (V::year == 2022 && !leftOut.empty())
            run.log(where + ": записани са първите " + std::to_string(kCodePairs) +
                    " кода, не са записани: " + leftOut);
    } else {
        row.setText("ICD_CODE", mainDiag.MKB());
    }
    insertAttachment(run, run.dm.qryMedNapr, referralInsert<V>(), row,
                     "Това медицинско направление вече съществува в базата, АЛ = " + noAl,
                     RowKind::medicalReferral);
}

}  // namespace

template <class V>
void ImportMedNaprs(RunContext<V>& run) {
    ereport::Element docs;
    ereport::GetNode(run.CurrentAmbList, "Docs", docs);
    if (!ereport::NodeExsist(docs, "SIMPConsult"))
        return;
    const std::string noAl = run.CurrentAmbList.NoAl();
    const auto referrals = run.CurrentAmbList.Docs().SIMPConsult();
    for (int i = 0; i < referrals.GetCount(); ++i)
        importReferral(run, referrals.get_item(i), i, noAl);
}

#define KALVEX_INSTANTIATE(V) template void ImportMedNaprs<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
