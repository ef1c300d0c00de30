// The tests (analyses) a medico-diagnostic referral asks for: one EXAM_ANALYSIS row per
// test the practice database knows, tied to the row written for its referral.
#include "common/characters.h"
#include "common/numbers.h"
#include "engine/statements/attachment_insert.h"
#include "engine/documents/diagnostic_referrals.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine::mdd {
namespace {

const InsertStatement& analysisInsert(bool withCl22) {
    static const InsertStatement early =
        buildInsert("EXAM_ANALYSIS", {"PREGLED_ID", "ANALYSIS_ID", "BLANKA_MDN_ID", "DATA"});
    static const InsertStatement withCodes =
        buildInsert("EXAM_ANALYSIS", {"PREGLED_ID", "ANALYSIS_ID", "BLANKA_MDN_ID", "DATA",
                                      "NZIS_CODE_CL22", "NZIS_DESCRIPTION_CL22"});
    return withCl22 ? withCodes : early;
}

// A referral the database holds no row of has nowhere to put its tests (shown on the
// details page).
bool referralWritten(RunState& run, const std::string& noMDD, std::int32_t referralId) {
    if (referralId == 0)
        run.user.LogToMemo(
            "Импортиране на изследвания: Програмата не откри Медико-диагн. напр. с номер " + noMDD);
    return referralId != 0;
}

void reportUnknownTest(RunState& run, const std::string& code) {
    run.user.LogToMemo("Импортиране на изследвания: Програмата не откри Изследване с код " + code);
    ++run.counts[RowKind::analysis].skippedUnknownCode;
}

void writeAnalysis(RunState& run, const Sheet& sheet, ColumnValues& row, std::int32_t analysisId,
                   std::int32_t referralId, bool withCl22) {
    row.setInt("PREGLED_ID", run.CurrentPregledID);
    row.setInt("ANALYSIS_ID", analysisId);
    row.setInt("BLANKA_MDN_ID", referralId);
    row.set("DATA", sheet.date);
    insertAttachment(run, run.dm.qryAnalysis, analysisInsert(withCl22), row,
                     "Неуспешно импортиране на изследвания за АЛ " + sheet.noAl, RowKind::analysis);
}

// The characters `from` (1-based) to `from + count - 1` of `text`.
std::string characters(std::string_view text, std::size_t from, std::size_t count) {
    const std::size_t skip = common::leftCharacters(text, from - 1).size();
    return common::leftCharacters(text.substr(skip), count);
}

}  // namespace

void ImportSingleAnalysis2022(RunState& run, const Sheet& sheet, const ereport::Element& mdd,
                              const std::string& noMDD, std::int32_t referral,
                              const std::vector<std::string>& codes) {
    if (!referralWritten(run, noMDD, referral))
        return;
    // The referral, not its single tests, carries the national classification.
    const std::int32_t cl22 = ereport::ReadValueInt(mdd, "NzisCodeCL22", 0);
    const std::string cl22Description = ereport::ReadValue(mdd, "NzisDescriptionCL22");
    for (const std::string& code : codes) {
        std::int32_t analysis = 0;
        run.catalogues.ReadSqlValue(
            "SELECT FIRST(1) ID FROM ANALYSIS WHERE LPAD(PACKAGE,2,'0') || '.' "
            "|| LPAD(CODE,2,'0') = CAST(:CODE AS VARCHAR(1000)) AND "
            "EFFECTIVE='Y'",
            analysis, {{"CODE", code}});
        if (analysis == 0) {
            reportUnknownTest(run, code);
            continue;
        }
        ColumnValues row;
        row.setInt("NZIS_CODE_CL22", cl22);
        row.setText("NZIS_DESCRIPTION_CL22", cl22Description);
        writeAnalysis(run, sheet, row, analysis, referral, true);
    }
}

void ImportSingleAnalysis(RunState& run, const Sheet& sheet, const std::string& noMDD,
                          std::int32_t referral, const std::string& code) {
    if (!referralWritten(run, noMDD, referral))
        return;
    const std::int32_t package = common::StrToInt(characters(code, 1, 2));
    const std::int32_t number = common::StrToInt(characters(code, 4, 2));
    std::int32_t analysis = 0;
    run.catalogues.ReadSqlValue(
        "SELECT a.ID FROM ANALYSIS a WHERE PACKAGE = :PACKAGE AND CODE = :CODE AND "
        "EFFECTIVE='Y'",
        analysis, {{"PACKAGE", std::int64_t{package}}, {"CODE", std::int64_t{number}}});
    if (analysis == 0) {
        reportUnknownTest(run, code);
        return;
    }
    ColumnValues row;
    writeAnalysis(run, sheet, row, analysis, referral, false);
}

}  // namespace kalvex::engine::mdd
