// Medico-diagnostic referrals and their tests, every NRD version: one BLANKA_MDN row per
// "MDD" of the sheet (an NZIS_MDN row for a national referral of NRD 2018 and 2021),
// then the tests it asks for.
#include "engine/documents/diagnostic_referrals.h"

#include <optional>

#include "common/characters.h"
#include "common/conversions.h"
#include "common/numbers.h"
#include "engine/statements/attachment_insert.h"
#include "engine/documents/attachments.h"
#include "engine/run/nrd_versions.h"
#include "engine/sheet/value_reads.h"
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
    run.updateColumn("PREGLED", "AMB_JOURNALN", run.CurrentPregledID, std::int64_t{0});
}

// The row a referral's insert collided with, when it is that referral: the number as the
// insert bound it (so the column converts it as it did then) and, where the row has one,
// the same national number. A national referral's number is only its place on the sheet;
// a practice referral of that number is another referral. 0 when there is none.
template <class V>
std::int32_t sameReferralId(RunState& run, const ColumnValues& row) {
    std::string sql =
        "SELECT FIRST(1) ID FROM BLANKA_MDN WHERE PREGLED_ID = :PREGLED_ID AND NUMBER = :NUMBER";
    db::Params params{{"PREGLED_ID", row.get("PREGLED_ID")}, {"NUMBER", row.get("NUMBER")}};
    if constexpr (V::year == 2022) {
        sql += " AND COALESCE(NRN, '') = COALESCE(CAST(:NRN AS VARCHAR(1000)), '')";
        params.push_back({"NRN", row.get("NRN")});
    }
    std::int32_t id = 0;
    run.dm.ReadSqlValue(sql + " ORDER BY ID", id, params);
    return id;
}

// What became of a referral: whether the examination leaves the journal (every referral
// in a "Salvix GP" database with NRD 2022; a national referral of NRD 2018 and 2021,
// whose tests are then not written) and the BLANKA_MDN row its tests belong to (0: none).
struct ReferralWritten {
    bool leavesJournal = false;
    std::int32_t id = 0;
};

// Writes the row of the `position`-th (from 1) referral of the sheet.
template <class V, class Mdd>
ReferralWritten ImportSingleMDD(RunContext<V>& run, const mdd::Sheet& sheet, const Mdd& referral,
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
            return {true, 0};
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
    // The tests follow the row written, or the one found again: a look-up by the number
    // alone may find another referral of the sheet.
    const std::optional<std::int32_t> written =
        insertAttachment(run, run.dm.qryMDD, referralInsert<V>(), row,
                         mdd::duplicateReferralLine(sheet), RowKind::diagnosticReferral);
    return {V::year == 2022 && !run.isSpecialist(),
            written ? *written : sameReferralId<V>(run, row)};
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
        const ReferralWritten written = ImportSingleMDD(run, sheet, referral, i + 1, tests);
        if (written.leavesJournal)
            resetJournal(run);
        if constexpr (V::year == 2022) {
            if (!tests.empty())
                mdd::ImportSingleAnalysis2022(run, sheet, referral, referral.NoMDD(), written.id,
                                              tests);
        } else if (!written.leavesJournal) {
            for (const std::string& code : tests)
                mdd::ImportSingleAnalysis(run, sheet, referral.NoMDD(), written.id, code);
        }
    }
}

#define KALVEX_INSTANTIATE(V) template void ImportMDDs<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
