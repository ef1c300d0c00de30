// Medico-diagnostic referrals and their tests, every NRD version: one BLANKA_MDN row per
// "MDD" of the sheet (an NZIS_MDN row for a national referral of NRD 2018 and 2021),
// then the tests it asks for.
#include "engine/diagnostic_referrals.h"

#include "common/characters.h"
#include "common/conversions.h"
#include "common/numbers.h"
#include "engine/attachment_insert.h"
#include "engine/attachments.h"
#include "engine/nrd_versions.h"
#include "engine/value_reads.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

// The referral row's columns grew with the versions: the additional code from NRD 2009,
// the national number and its status with NRD 2022.
template <class V>
const InsertStatement& referralInsert() {
    static const InsertStatement insert = [] {
        std::vector<InsertColumn> columns{"PREGLED_ID", "NUMBER", "DATA", "ICD_CODE",
                                          "MED_DIAG_NAPR_TYPE_ID"};
        if constexpr (V::year >= 2009)
            columns.emplace_back("ICD_CODE_ADD");
        if constexpr (V::year == 2022) {
            columns.emplace_back("NRN");
            columns.emplace_back("NZIS_STATUS");
        }
        return buildInsert("BLANKA_MDN", columns);
    }();
    return insert;
}

std::vector<std::string> texts(const ereport::TextList& list) {
    std::vector<std::string> out;
    for (int n = 0; n < list.GetCount(); ++n)
        out.push_back(list.get_item(n));
    return out;
}

// A referral issued on the sheet books the examination out of the ambulatory journal.
void resetJournal(RunState& run) {
    run.dm.SqlToValue("UPDATE PREGLED pr SET pr.AMB_JOURNALN = 0 WHERE pr.ID = :ID",
                      {{"ID", std::int64_t{run.CurrentPregledID}}});
}

// Writes the row of the `position`-th (from 1) referral of the sheet. True when the
// examination is to leave the journal: every referral in a "Salvix GP" database (NRD
// 2022), a national referral (NRD 2018 and 2021), whose tests are then not written.
template <class V, class Mdd>
bool ImportSingleMDD(RunContext<V>& run, const mdd::Sheet& sheet, const Mdd& referral,
                     [[maybe_unused]] int position,
                     [[maybe_unused]] const std::vector<std::string>& tests) {
    const std::string noMDD = referral.NoMDD();
    [[maybe_unused]] const bool longNumber = common::characterCount(noMDD) > 10;
    mdd::MddCodes codes;
    if constexpr (V::year >= 2009)
        codes = mdd::ReadMddMkb(ReadsOf<V>::text(referral, "MDDMKB"));

    if constexpr (V::year == 2018 || V::year == 2021) {
        if (longNumber) {
            // The national row keeps the main code only.
            std::vector<std::string> leftOut = codes.leftOut;
            if (!codes.add.empty())
                leftOut.insert(leftOut.begin(), codes.add);
            mdd::logCodesLeftOut(run, sheet, noMDD, 1, leftOut);
            mdd::ImportNationalMdn(
                run, sheet,
                {noMDD, codes.main, tests, run.CurrentAmbList.HState(), V::year == 2021});
            return true;
        }
    }

    ColumnValues row;
    row.setInt("PREGLED_ID", run.CurrentPregledID);
    row.set("DATA", sheet.date);
    if constexpr (V::year == 2022) {
        // A national number goes to NRN; the row's number is then its place on the sheet.
        row.set("NUMBER",
                longNumber ? common::Variant{std::int64_t{position}} : common::Variant{noMDD});
        row.setText("NRN", longNumber ? noMDD : ereport::ReadValue(referral, "NRN"));
        row.setInt("NZIS_STATUS",
                   longNumber ? 3 : ereport::ReadValueInt(referral, "NzisStatus", 0));
    } else if constexpr (V::year >= 2018) {
        row.setText("NUMBER", noMDD);
    } else {
        row.setInt("NUMBER", common::StrToInt(noMDD));
    }
    if constexpr (V::year >= 2009) {
        if (!codes.main.empty())
            row.setText("ICD_CODE", codes.main);
        if (!codes.add.empty())
            row.setText("ICD_CODE_ADD", codes.add);
        mdd::logCodesLeftOut(run, sheet, noMDD, 2, codes.leftOut);
    } else {
        row.setText("ICD_CODE", run.CurrentAmbList.MainDiag().MKB());
    }
    const std::int32_t mddFor = referral.MDDFor();
    row.setInt("MED_DIAG_NAPR_TYPE_ID", V::year == 2005 ? mddFor : mdd::MapMDDNaprTypes(mddFor));
    insertAttachment(run, run.dm.qryMDD, referralInsert<V>(), row,
                     mdd::duplicateReferralLine(sheet), RowKind::diagnosticReferral);
    return V::year == 2022 && !run.isSpecialist();
}

}  // namespace

template <class V>
void ImportMDDs(RunContext<V>& run) {
    const auto mdds = run.CurrentAmbList.Docs().MDD();
    if (mdds.GetCount() == 0)
        return;
    const mdd::Sheet sheet{run.CurrentAmbList.NoAl(),
                           common::DateFromSQL(run.CurrentAmbList.DataAl())};
    for (int i = 0; i < mdds.GetCount(); ++i) {
        const auto referral = mdds.get_item(i);
        const std::vector<std::string> tests = texts(referral.KodMDD());
        const bool leavesJournal = ImportSingleMDD(run, sheet, referral, i + 1, tests);
        if (leavesJournal)
            resetJournal(run);
        if constexpr (V::year == 2022) {
            if (!tests.empty())
                mdd::ImportSingleAnalysis2022(run, sheet, referral, referral.NoMDD(), tests);
        } else if (!leavesJournal) {
            for (const std::string& code : tests)
                mdd::ImportSingleAnalysis(run, sheet, referral.NoMDD(), code);
        }
    }
}

#define KALVEX_INSTANTIATE(V) template void ImportMDDs<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
