// Hospitalisation referrals, every NRD version.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/conversions.h"
#include "common/error.h"
#include "common/numbers.h"
#include "common/tokenizer.h"
#include "db/database_error.h"
#include "engine/statements/attachment_insert.h"
#include "engine/documents/attachments.h"
#include "engine/run/nrd_versions.h"
#include "engine/sheet/sheet_number.h"
#include "engine/sheet/value_reads.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

using ereport::Element;

// The statement's room for the referral's diagnoses: two code pairs.
constexpr int kCodePairs = 2;

template <class V>
const InsertStatement& hospitalisationInsert() {
    static const InsertStatement insert = [] {
        if constexpr (V::year <= 2008)
            return buildInsert("HOSPITALIZATION",
                               {"PREGLED_ID", "DIRECTED_BY", "HAS_NHIF_CONTRACT", "DIRECT_MKB_1",
                                "DIRECT_DIAGNOSIS_1", "DIRECT_DATE"});
        else if constexpr (V::year <= 2015)
            return buildInsert("HOSPITALIZATION",
                               {"PREGLED_ID", "DIRECTED_BY", "HAS_NHIF_CONTRACT", "DIRECT_MKB_1",
                                "DIRECT_DIAGNOSIS_1", "DIRECT_DATE", "CLINICAL_PATH",
                                "DIRECT_MKB_1_ADD", "DIRECT_MKB_2", "DIRECT_MKB_2_ADD"});
        else if constexpr (V::year <= 2021)
            return buildInsert(
                "HOSPITALIZATION",
                {"PREGLED_ID", "DIRECTED_BY", "HAS_NHIF_CONTRACT", "NUMBER", "DIRECT_MKB_1",
                 "DIRECT_DIAGNOSIS_1", "DIRECT_DATE", "CLINICAL_PATH", "DIRECT_MKB_1_ADD",
                 "DIRECT_MKB_2", "DIRECT_MKB_2_ADD"});
        else
            return buildInsert("HOSPITALIZATION",
                               {"PREGLED_ID", "DIRECTED_BY", "HAS_NHIF_CONTRACT", "NUMBER",
                                "DIRECT_MKB_1", "DIRECT_DIAGNOSIS_1", "DIRECT_DIAGNOSIS_2",
                                "DIRECT_DATE", "CLINICAL_PATH", "DIRECT_MKB_1_ADD", "DIRECT_MKB_2",
                                "DIRECT_MKB_2_ADD", "ICD_AREA", "IS_MZ", "NRN", "NZIS_STATUS"});
    }();
    return insert;
}

// The referral's own element: "HospNapr" itself in NRD 2009 and 2015, its "Hosp" later.
template <class V>
auto referralOf(const RunContext<V>& run) {
    const Element napr = ereport::GetNode(ereport::GetNode(run.CurrentAmbList, "Docs"), "HospNapr");
    if constexpr (V::year >= 2018)
        return ereport::nrd2022::TXMLHosp(ereport::GetNode(napr, "Hosp").node());
    else
        return ereport::nrd2009::TXMLHospNapr(napr.node());
}

// NRD 2006 and 2008 know only that the patient was sent to hospital: the referral is
// the sheet's main diagnosis on the sheet's date.
template <class V>
void importMainDiagnosisReferral(RunContext<V>& run, ColumnValues& row) {
    const auto& sheet = run.CurrentAmbList;
    if (!TypedReads::flag(ereport::GetNode(sheet, "Docs"), "Hospitaliz"))
        return;
    row.setText("DIRECT_MKB_1", sheet.MainDiag().MKB());
    row.setText("DIRECT_DIAGNOSIS_1", sheet.MainDiag().ImeMD());
    row.set("DIRECT_DATE", common::DateFromSQL(sheet.DataAl()));
    insertAttachment(run, run.dm.qryHospitalization, hospitalisationInsert<V>(), row, " ",
                     RowKind::hospitalisation);
}

// The codes of the referral's diagnoses, a pair per diagnosis ("main additional"), as many
// as the statement has room for; the rest are named in the log rather than stopping the
// sheet. NRD 2022 keeps a missing token as the empty text; earlier versions store it, and
// a diagnosis they cannot read, as null.
template <class V, class Referral>
void setCodes(RunContext<V>& run, ColumnValues& row, const Referral& referral) {
    const auto items = referral.HospMKB();
    common::TTokenizer tokenizer(common::blankSeparator());
    std::string leftOut;
    for (int k = 1; k <= items.GetCount(); ++k) {
        if (k > kCodePairs) {
            std::string codes;
            readGroup<V>([&] { codes = items.get_item(k - 1); });
            leftOut += (leftOut.empty() ? "" : ", ") + codes;
            continue;
        }
        const std::string main = "DIRECT_MKB_" + std::to_string(k);
        readGroup<V>([&] {
            tokenizer.Init(items.get_item(k - 1));
            for (const std::string& column : {main, main + "_ADD"}) {
                const std::string token = tokenizer.GetNextToken();
                if (V::year == 2022 || !token.empty())
                    row.setText(column, token);
            }
        });
    }
    if (!leftOut.empty())
        run.log("АЛ " + ereport::ReadValue(run.CurrentAmbList, "NoAl") + ": записани са първите " +
                std::to_string(kCodePairs) +
                " диагнози на направлението за хоспитализация, не са записани: " + leftOut);
}

// The referral's date; the sheet's date where the referral has none (NRD 2022) or one
// that is no date (earlier versions).
template <class V, class Referral>
common::DateTime referralDate(const RunContext<V>& run, const Referral& referral) {
    if constexpr (V::year == 2022) {
        const std::string date = ereport::ReadValue(referral, "DateNapr");
        return common::DateFromSQL(date.empty() ? run.CurrentAmbList.DataAl() : date);
    } else {
        try {
            return common::DateFromSQL(referral.DateNapr());
        } catch (const Error&) {
            // Those versions took the sheet's date for a referral date they could not read.
            return common::DateFromSQL(run.CurrentAmbList.DataAl());
        }
    }
}

template <class V>
void importClinicalPathReferral(RunContext<V>& run, ColumnValues& row) {
    const auto referral = referralOf(run);
    std::string path;
    if constexpr (V::year == 2022)
        path = ereport::ReadValue(referral, "PathNum");
    else
        // A clinical path those versions could not read meant no referral.
        readGroup<V>([&] { path = referral.PathNum(); });
    if (path.empty())
        return;

    row.set("DIRECT_DATE", referralDate(run, referral));
    row.setText("CLINICAL_PATH", path);
    if constexpr (V::year == 2022) {
        const std::string number = ereport::ReadValue(referral, "NaprNo");
        if (isNrn(number)) {
            row.setText("NRN", number);
            row.setInt("NZIS_STATUS", 3);
        } else {
            // The column is a number: a referral without one has none, and one that is
            // no number stops the sheet there.
            if (!number.empty())
                row.setText("NUMBER", number);
            row.setText("NRN", ereport::ReadValue(referral, "NRN"));
            row.setInt("NZIS_STATUS", ereport::ReadValueInt(referral, "NzisStatus", 0));
        }
        row.setText("IS_MZ", "N");
    } else if constexpr (V::year >= 2018) {
        row.setInt("NUMBER", common::StrToInt(referral.NaprNo()));
    }
    setCodes(run, row, referral);
    insertAttachment(run, run.dm.qryHospitalization, hospitalisationInsert<V>(), row, " ",
                     RowKind::hospitalisation);
}

}  // namespace

template <class V>
void ImportHospitalization(RunContext<V>& run) {
    if constexpr (V::year >= 2006) {
        ColumnValues row;
        row.setInt("PREGLED_ID", run.CurrentPregledID);
        row.setInt("DIRECTED_BY", 1);
        row.setText("HAS_NHIF_CONTRACT", "Y");
        if constexpr (V::year <= 2008) {
            try {
                importMainDiagnosisReferral(run, row);
            } catch (const Error& e) {
                // These versions' referral was never worth stopping a sheet for; a failed
                // statement has undone its own work, so the sheet stays whole. A fault of
                // the database itself stops the run all the same.
                if (db::isDatabaseFault(e))
                    throw;
            }
        } else {
            importClinicalPathReferral(run, row);
        }
    }
}

#define KALVEX_INSTANTIATE(V) template void ImportHospitalization<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
