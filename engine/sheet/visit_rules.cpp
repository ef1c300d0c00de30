// Where a specialist's patient came from ("Salvix S"): the referral or the primary
// examination the visit follows, the kind of visit and the referral type.
#include <string>

#include "common/conversions.h"
#include "common/numbers.h"
#include "engine/sheet/examination_lookup.h"
#include "engine/run/nrd_versions.h"
#include "engine/sheet/primary_examination.h"
#include "engine/sheet/sheet_extras.h"
#include "engine/sheet/sheet_number.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

using ereport::Element;

// The primary sheet's number. With a practice number the NRN column holds the empty
// text rather than null: known to have no national number, not unknown.
template <class V>
void setPrimarySheetNumber(ColumnValues& row, const std::string& number) {
    if (V::year == 2022 && isNrn(number)) {
        row.setNull("SIMP_PRIMARY_AMBLIST_N");
        row.setText("SIMP_PRIMARY_AMBLIST_NRN", number);
    } else {
        row.setText("SIMP_PRIMARY_AMBLIST_N", number);
        row.setText("SIMP_PRIMARY_AMBLIST_NRN", "");
    }
}

// The referral that sent the patient. Its number, kind, reason and date must be readable:
// a referral the row cannot describe fails the sheet.
template <class V>
void setReferral(RunContext<V>& run, ColumnValues& row, const std::string& noNapr,
                 std::int32_t examType) {
    if (examType == 0)
        row.setInt("AMB_PR", 1);
    if (V::year == 2022 && isNrn(noNapr)) {
        row.setInt("SIMP_NAPR_N", 0);
        row.setText("SIMP_NAPR_NRN", noNapr);
    } else {
        row.setInt("SIMP_NAPR_N", common::StrToInt(noNapr));
        row.setNull("SIMP_NAPR_NRN");
    }
    const auto primary = run.CurrentAmbList.SIMPList().PrimaryVisit();
    const std::int32_t vidNapr = primary.VidNapr();
    row.setInt("VISIT_TYPE_ID", vidNapr - 1);
    row.setInt("NAPR_TYPE_ID", referralType<V>(vidNapr, primary.NaprFor()));
    const auto from = primary.SendedFrom();
    row.set("SIMP_FORM_DATE", common::DateFromSQL(primary.DateNapr()));
    row.setText("SIMP_PRAKTIKA", from.PracticeCode());
    row.setText("SIMP_UIN", from.UIN());
    row.setText("SIMP_SPECIALITY_CODE", from.SIMPCode());
}

// A visit on a referral (exam type 0, 11, 13 or 21).
template <class V>
void applyReferralVisit(RunContext<V>& run, ColumnValues& row, std::int32_t examType) {
    const Element simp = ereport::GetNode(run.CurrentAmbList, "SIMPList");
    const Element primary = ereport::GetNode(simp, "PrimaryVisit");
    if (const std::string noNapr = ereport::ReadValue(primary, "NoNapr"); !noNapr.empty())
        setReferral(run, row, noNapr, examType);
    row.setNull("SIMP_PRIMARY_AMBLIST_N");
    row.setNull("SIMP_PRIMARY_AMBLIST_DATE");

    const Element from = ereport::GetNode(primary, "SendedFrom");
    if (const std::string uin = ereport::ReadValue(from, "UINH_S"); !uin.empty()) {
        // A referral by a hired or substitute doctor ends the rule: the row names no
        // primary sheet then, whatever the sheet says of one.
        bool substitute = false;
        ereport::ReadValue(from, "H_S", substitute);
        row.setFlag("SIMP_IS_ZAMESTVASHT", substitute);
        row.setFlag("SIMP_IS_NAET", !substitute);
        row.setText("SIMP_UIN_ZAMESTVASHT", uin);
        return;
    }
    const Element secondary = ereport::GetNode(simp, "SecondaryVisit");
    const std::string number = ereport::ReadValue(secondary, "NoAmbL");
    if (number.empty())
        return;
    setPrimarySheetNumber<V>(row, number);
    row.set("SIMP_PRIMARY_AMBLIST_DATE",
            common::DateFromSQL(ereport::ReadValue(secondary, "dateAmbL")));
    row.setInt("NAPR_TYPE_ID", GetNaprType(run));
}

// A secondary visit (exam type 12 or 22), continuing the primary examination it names.
template <class V>
void applySecondaryVisit(RunContext<V>& run, ColumnValues& row) {
    const Element secondary =
        ereport::GetNode(ereport::GetNode(run.CurrentAmbList, "SIMPList"), "SecondaryVisit");
    const std::string date = ereport::ReadValue(secondary, "dateAmbL");
    if (date.empty()) {
        row.setNull("SIMP_PRIMARY_AMBLIST_N");
        row.setNull("SIMP_PRIMARY_AMBLIST_DATE");
        return;
    }
    row.set("SIMP_PRIMARY_AMBLIST_DATE", common::DateFromSQL(date));
    setPrimarySheetNumber<V>(row, ereport::ReadValue(secondary, "NoAmbL"));
    row.setInt("NAPR_TYPE_ID", GetNaprType(run));
}

}  // namespace

template <class V>
void setSpecialistDefaults(RunContext<V>&, ColumnValues& row) {
    row.setInt("VISIT_TYPE_ID", 0);
    row.setFlag("SIMP_IS_NAET", false);
    row.setFlag("SIMP_IS_ZAMESTVASHT", false);
    row.setNull("REH_FINISHED_AT");
}

template <class V>
void applyVisitRules(RunContext<V>& run, ColumnValues& row, std::int32_t examType) {
    switch (examType) {
        case 0:
        case 11:
        case 13:
        case 21:
            applyReferralVisit(run, row, examType);
            break;
        case 12:
        case 22:
            applySecondaryVisit(run, row);
            break;
        case 14:
            row.setInt("AMB_PR", 1);
            row.setInt("VISIT_TYPE_ID", 5);
            break;
        default:
            break;
    }
}

#define KALVEX_INSTANTIATE(V)                                              \
    template void setSpecialistDefaults<V>(RunContext<V>&, ColumnValues&); \
    template void applyVisitRules<V>(RunContext<V>&, ColumnValues&, std::int32_t);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
