// Sick-leave certificates issued on a sheet, every NRD version.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/characters.h"
#include "db/database_error.h"
#include "engine/statements/attachment_insert.h"
#include "engine/documents/attachments.h"
#include "engine/run/nrd_versions.h"
#include "engine/sheet/sheet_number.h"
#include "engine/documents/sick_leave_row.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

// The number became text (EL_NUMBER) in NRD 2015; before, it was an integer (NUMBER).
template <class V>
constexpr bool numberIsText = V::year >= 2015;

template <class V>
InsertStatement certificateInsert() {
    std::vector<InsertColumn> columns = {{"ID", "ebl_id"},
                                         "PREGLED_ID",
                                         "DATA",
                                         numberIsText<V> ? "EL_NUMBER" : "NUMBER",
                                         "IS_PRIMARY",
                                         "DAYS_HOME",
                                         "SICK_LEAVE_START",
                                         "SICK_LEAVE_END",
                                         "PATIENT_SEX_TYPE",
                                         "PATIENT_EGN",
                                         "PATIENT_FULLNAME",
                                         "PATIENT_AGE"};
    if constexpr (V::year == 2005)
        columns.emplace_back("DATEOFBIRTH");
    for (const char* column : {"DOCTOR_KOMISIA", "IZDADEN_OT", "ICD_CODE", "NOTES"})
        columns.emplace_back(column);
    if constexpr (V::year > 2005) {
        for (const char* column : {"DIAGNOSIS", "DAYS_HOSPITAL", "DAYS_SANATORIUM", "PATIENT_CITY",
                                   "PATIENT_STREET", "TREATMENT_REGIMEN", "DAYS_FREE"})
            columns.emplace_back(column);
    }
    return buildInsert("EXAM_BOLN_LIST", columns);
}

std::string numberText(std::int32_t number) {
    return std::to_string(number);
}
std::string numberText(std::string number) {
    return number;
}


// The certificate is on this examination already (the table's key: the examination and
// the number). Asked before the generator is moved on, so that importing the same
// certificate again uses up no key.
template <class V>
bool alreadyWritten(RunState& run, const ColumnValues& row) {
    std::int32_t id = 0;
    if constexpr (numberIsText<V>) {
        return run.dm.ReadSqlValue(
            "SELECT FIRST(1) ID FROM EXAM_BOLN_LIST WHERE PREGLED_ID = :PREGLED_ID AND " +
                sameText("EL_NUMBER", "EL_NUMBER"),
            id, {{"PREGLED_ID", row.get("PREGLED_ID")}, {"EL_NUMBER", row.get("EL_NUMBER")}});
    } else {
        return run.dm.ReadSqlValue(
            "SELECT FIRST(1) ID FROM EXAM_BOLN_LIST WHERE PREGLED_ID = :PREGLED_ID AND "
            "NUMBER = :NUMBER",
            id, {{"PREGLED_ID", row.get("PREGLED_ID")}, {"NUMBER", row.get("NUMBER")}});
    }
}

std::int32_t nextCertificateId(RunState& run) {
    std::int32_t id = 0;
    run.dm.ReadSqlValue("SELECT GEN_ID(GEN_EXAM_BOLN_LIST, 1) FROM RDB$DATABASE", id);
    return id;
}

template <class V, class HList>
void importCertificate(RunContext<V>& run, const HList& certificate) {
    static const InsertStatement insert = certificateInsert<V>();
    const std::string number = numberText(certificate.NoBl());
    // Unreadable values of the certificate or the sheet leave here for the sheet to fail.
    ColumnValues row = sickLeaveRow(run, certificate);
    const std::string duplicateLine = "Този болничен лист вече съществува в базата, БЛ = " + number;
    if (alreadyWritten<V>(run, row)) {
        run.log(duplicateLine);
        ++run.counts[RowKind::sickLeave].existing;
        return;
    }
    const std::int32_t id = nextCertificateId(run);
    row.setInt("ebl_id", id);
    if constexpr (V::year < 2015) {
        insertAttachment(run, run.dm.qryBolnList, insert, row, duplicateLine, RowKind::sickLeave);
    } else {
        // From NRD 2015 on a certificate the database refuses does not stop the sheet:
        // the user learns which one was lost and why, and the next one is written.
        const std::string lost = "АЛ " + run.CurrentAmbList.NoAl() + ": болничен лист № " + number;
        try {
            if (!insertAttachment(run, run.dm.qryBolnList, insert, row, duplicateLine,
                                  RowKind::sickLeave))
                return;
        } catch (const db::DatabaseError& e) {
            if (db::isDatabaseFault(e))
                throw;
            run.log(lost + " не е записан: " + common::oneLine(e.what()));
            ++run.counts[RowKind::sickLeave].skippedLeftOut;
            return;
        }
        try {
            run.updateColumn("PREGLED", "EXAM_BOLN_LIST_ID", run.CurrentPregledID,
                             std::int64_t{id});
        } catch (const db::DatabaseError& e) {
            if (db::isDatabaseFault(e))
                throw;
            run.log(lost + " е записан, но прегледът не е свързан с него: " +
                    common::oneLine(e.what()));
        }
    }
}

}  // namespace

template <class V>
void ImportBolnLists(RunContext<V>& run) {
    const auto docs = run.CurrentAmbList.Docs();
    if constexpr (V::year <= 2008) {
        // One certificate a sheet, imported only when the sheet names one.
        if (ereport::NodeExsist(docs, "HList"))
            importCertificate(run, docs.HList());
    } else {
        const auto certificates = docs.HList();
        for (int i = 0; i < certificates.GetCount(); ++i)
            importCertificate(run, certificates.get_item(i));
    }
}

#define KALVEX_INSTANTIATE(V) template void ImportBolnLists<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
