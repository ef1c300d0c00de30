// The procedures of a specialist's examination ("Salvix S"): their catalogue IDs, the
// counts of a rehabilitation and the stamp that closes it.
#include <string>
#include <vector>
#include <variant>

#include "common/conversions.h"
#include "engine/run/nrd_versions.h"
#include "engine/sheet/primary_examination.h"
#include "engine/sheet/sheet_extras.h"
#include "engine/sheet/sheet_number.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

bool isVsdVisit(const ColumnValues& row) {
    const common::Variant& vsd = row.get("IS_VSD");
    return std::holds_alternative<std::string>(vsd) && std::get<std::string>(vsd) == "Y";
}

// PROCEDURES.ID of `code` for the reporting doctor's specialty: a highly specialised one
// on a VSD visit, an ordinary one otherwise, else any effective procedure of that code;
// 0 when there is none.
template <class V>
std::int32_t procedureId(RunContext<V>& run, const std::string& code, bool vsd) {
    // Article 147 procedures first; the earlier versions left a VSD visit's choice to
    // the database's order.
    const char* ordering = V::year == 2022 || !vsd ? " ORDER BY p.ARTICLE_147 DESC" : "";
    std::int32_t id = 0;
    run.catalogues.ReadSqlValue(
        "SELECT FIRST 1 p.ID FROM PROCEDURES p"
        " INNER JOIN SPEC_PACKAGE sp ON sp.PACKAGE_ID = p.PACKAGE_ID"
        " INNER JOIN SPECIALITY s ON s.ID = sp.SPECIALITY_ID AND s.EFFECTIVE = 'Y' AND " +
            sameText("s.CODE", "SPECIALITY") + " WHERE " + sameText("p.CODE", "CODE") +
            " AND p.EFFECTIVE = 'Y' AND p.HI_SPECIALIZED = '" + (vsd ? "Y" : "N") + "'" + ordering,
        id, {{"SPECIALITY", run.CurrentDoctor.SIMPCode()}, {"CODE", code}});
    if (id == 0)
        run.catalogues.ReadSqlValue("SELECT FIRST 1 ID FROM PROCEDURES WHERE " + sameText("CODE", "CODE") +
                                " AND EFFECTIVE = 'Y'",
                            id, {{"CODE", code}});
    return id;
}

// Stamps the end of the rehabilitation into the primary examination the sheet names:
// the patient's own, found by number and date under any doctor. Sheet numbers repeat
// between doctors, so another patient's sheet of that number and date is not it. NRD
// 2022 stamps the one row found; the earlier versions every row of the patient's with
// that number and date.
template <class V>
void closePrimaryExamination(RunContext<V>& run, common::DateTime finished) {
    const ereport::Element secondary =
        ereport::GetNode(ereport::GetNode(run.CurrentAmbList, "SIMPList"), "SecondaryVisit");
    const std::string number = ereport::ReadValue(secondary, "NoAmbL");
    const auto day = lookupDate(ereport::ReadValue(secondary, "dateAmbL"));
    if (number.empty() || !day)
        return;  // names no examination that could be found
    const std::string where = "PACIENT_ID = :PATIENT AND " + sheetNumberIs<V>("", "NO", number) +
                              " AND START_DATE = :DAY";
    const db::Params sheet{
        {"PATIENT", std::int64_t{run.CurrentPatientID}}, {"NO", number}, {"DAY", *day}};
    std::int32_t id = 0;
    run.dm.ReadSqlValue("SELECT ID FROM PREGLED WHERE " + where, id, sheet);
    if (id <= 0)
        return;
    if constexpr (V::year == 2022) {
        run.updateColumn("PREGLED", "REH_FINISHED_AT", id, finished);
    } else {
        // Every examination of that patient, number and date, one by one, so that the
        // journal holds each one's old value.
        std::vector<std::int32_t> ids;
        db::Statement& found = run.dm.GetResultSet("SELECT ID FROM PREGLED WHERE " + where, sheet);
        for (bool row = run.dm.hasRow(); row; row = found.fetch())
            ids.push_back(static_cast<std::int32_t>(std::get<std::int64_t>(found.column(0))));
        for (const std::int32_t each : ids)
            run.updateColumn("PREGLED", "REH_FINISHED_AT", each, finished);
    }
}

}  // namespace

template <class V, class Procedure>
void applyProcedureRules(RunContext<V>& run, ColumnValues& row, int position,
                         const Procedure& procedure) {
    // NRD 2005's row has neither procedure IDs nor rehabilitation counts.
    if constexpr (V::year > 2005) {
        const std::string n = std::to_string(position);
        const std::string code = ereport::ReadValue(procedure, "kodP");
        row.setInt("PROCEDURE" + n + "_ID", procedureId(run, code, isVsdVisit(row)));
        const std::int32_t count = ereport::ReadValueInt(procedure, "CountP", 0);
        if (count > 0)
            row.setInt("REH_PROC" + n, count);
        else
            row.setNull("REH_PROC" + n);
    }
}

template <class V>
void applyRehabilitationEnd(RunContext<V>& run, ColumnValues& row, std::int32_t examType) {
    // A rehabilitation ends with a secondary visit at a rehabilitation doctor ("23").
    if constexpr (V::year > 2005) {
        if (run.CurrentDoctor.SIMPCode() != "23" || (examType != 12 && examType != 22))
            return;
        const common::DateTime finished = common::DateFromSQL(run.CurrentAmbList.DataAl());
        row.set("REH_FINISHED_AT", finished);
        closePrimaryExamination(run, finished);
    }
}

#define KALVEX_INSTANTIATE(V)                                              \
    template void applyProcedureRules<V, typename V::Procedure>(           \
        RunContext<V>&, ColumnValues&, int, const typename V::Procedure&); \
    template void applyRehabilitationEnd<V>(RunContext<V>&, ColumnValues&, std::int32_t);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
