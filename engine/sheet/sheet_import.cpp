// The ambulatory sheet of every NRD version as one examination row: patient, look-up,
// the general columns, the specialist rules, the insert and the attachments.
#include "engine/sheet/sheet_import.h"

#include <string>

#include "common/characters.h"
#include "common/conversions.h"
#include "common/formats.h"
#include "common/numbers.h"
#include "db/database_error.h"
#include "engine/statements/column_values.h"
#include "engine/sheet/doctor_lookup.h"
#include "engine/sheet/duplicate_rows.h"
#include "engine/sheet/examination_lookup.h"
#include "engine/run/nrd_versions.h"
#include "engine/sheet/patient_import.h"
#include "engine/sheet/sheet_extras.h"
#include "engine/sheet/sheet_number.h"
#include "engine/statements/sheet_statement.h"
#include "engine/sheet/value_reads.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

using ereport::Element;

// The hired or substitute doctor of the sheet, when the database has one of its UIN.
template <class V>
void setSheetDoctor(RunContext<V>& run, ColumnValues& row) {
    const Element hired = ereport::GetNode(run.CurrentAmbList, "Hired_Subst");
    const std::string uin = ereport::ReadValue(hired, "UINH_S");
    const std::int32_t id = uin.empty() ? 0 : doctorByUin(run, uin);
    if (id >= 1) {
        bool substitute = false;
        if constexpr (V::year == 2022) {
            ereport::ReadValue(hired, "H_S", substitute);
        } else {
            // Read as the doctor was created ("true" is a substitute there too); a flag the
            // model cannot read counts as a hired doctor, as the node reader's default.
            try {
                substitute = TypedReads::flag(hired, "H_S");
            } catch (const Error&) {
                substitute = false;
            }
        }
        row.setInt("DOCTOR_ID", id);
        row.setFlag("IS_ZAMESTVASHT", substitute);
        row.setFlag("IS_NAET", !substitute);
    } else {
        row.setInt("DOCTOR_ID", run.CurrentDoctorID);
        row.setFlag("IS_ZAMESTVASHT", false);
        row.setFlag("IS_NAET", false);
    }
}

// Home and ambulatory visit numbers by the exam type.
template <class V>
void setExamType(const RunContext<V>& run, ColumnValues& row, std::int32_t t) {
    if (t >= 10 && t <= 19)
        row.setInt("AMB_PR", t - 10);
    if (t >= 20 && t <= 29)
        row.setInt("DOM_PR", t - 20);
    if (t == 13) {
        const Element secondary =
            ereport::GetNode(ereport::GetNode(run.CurrentAmbList, "SIMPList"), "SecondaryVisit");
        row.setInt("AMB_PR", ereport::ReadValue(secondary, "NoAmbL").empty() ? 1 : 2);
        row.setFlag("IS_REGISTRATION", true);
    }
}

void clearVisitNumbers(ColumnValues& row) {
    row.setNull("AMB_PR");
    row.setNull("DOM_PR");
}

// Why the patient came ("VisitFor"), with the log line of an expert commission.
template <class V>
void setVisitFlags(RunContext<V>& run, ColumnValues& row, const std::string& noAl) {
    using R = ReadsOf<V>;
    const Element visitFor = ereport::GetNode(run.CurrentAmbList, "VisitFor");
    const Element docs = ereport::GetNode(run.CurrentAmbList, "Docs");
    readGroup<V>([&] {
        ColumnValues read;
        read.setFlag("IS_DISPANSERY", R::flag(visitFor, "Disp"));
        read.setFlag("IS_CONSULTATION", R::flag(visitFor, "Consult"));
        const bool rpHosp = R::flag(visitFor, "RpHosp");
        read.setFlag("IS_RECEPTA_HOSPIT", rpHosp);
        const bool telk = R::flag(visitFor, "Telk");
        read.setFlag("IS_TELK", telk);
        read.setFlag("IS_EXPERTIZA", R::flag(visitFor, "LKKVisit"));
        for (const char* c :
             {"IS_DISPANSERY", "IS_CONSULTATION", "IS_RECEPTA_HOSPIT", "IS_TELK", "IS_EXPERTIZA"})
            row.set(c, read.get(c));
        if (rpHosp || telk)
            clearVisitNumbers(row);
    });
    if constexpr (V::year >= 2006)
        readGroup<V>([&] { row.setFlag("IS_NAPR_TELK", R::flag(docs, "TalonTELK")); });
    if constexpr (V::year >= 2006) {
        readGroup<V>([&] {
            if (R::integer(visitFor, "CountLKKMembers") > 0)
                run.log("АЛ " + noAl + "има ЛКК комисия!!!");
        });
    }
}

// Prevention: the kind, the week of pregnancy, the risk group.
template <class V>
void setPrevention(RunContext<V>& run, ColumnValues& row) {
    using R = ReadsOf<V>;
    const Element profilact =
        ereport::GetNode(ereport::GetNode(run.CurrentAmbList, "VisitFor"), "Profilact");
    readGroup<V>([&] {
        const bool child = R::flag(profilact, "Child");
        const bool mother = R::flag(profilact, "Mother");
        const bool over18 = R::flag(profilact, "Over18");
        const std::int32_t week = mother && !child ? R::integer(profilact, "GestWeek") : 0;
        bool risk = false;
        if constexpr (V::year >= 2006)
            risk = R::flag(profilact, "Risk");
        if (child)
            row.setInt("PREVENTIVE_TYPE", 1);
        else if (mother)
            row.setInt("PREVENTIVE_TYPE", 3);
        else if (over18)
            row.setInt("PREVENTIVE_TYPE", 2);
        if (week >= 1)
            row.setInt("GS", week);
        if constexpr (V::year >= 2006)
            row.setFlag("IS_RISK_GROUP", risk);
        row.setFlag("IS_PREVENTIVE", child || mother || over18);
    });
}

// A visit for highly specialised activities (VSD).
template <class V>
void setVsd(RunContext<V>& run, ColumnValues& row) {
    using R = ReadsOf<V>;
    const Element visitFor = ereport::GetNode(run.CurrentAmbList, "VisitFor");
    readGroup<V>([&] {
        if (ereport::NodeExsist(visitFor, "VSDVisit")) {
            const bool hosp = R::flag(ereport::GetNode(visitFor, "VSDVisit"), "Hosp");
            row.setFlag("IS_VSD", true);
            row.setInt("VSD_TYPE", hosp ? 1 : 2);
            clearVisitNumbers(row);
        } else {
            row.setFlag("IS_VSD", false);
            row.setInt("VSD_TYPE", 0);
        }
    });
}

// What the sheet issued, as flags.
template <class V>
void setDocsFlags(RunContext<V>& run, ColumnValues& row) {
    using R = ReadsOf<V>;
    const Element docs = ereport::GetNode(run.CurrentAmbList, "Docs");
    readGroup<V>([&] {
        const bool notification = R::flag(docs, "Izvestie");
        const bool epicrisis = R::flag(docs, "EtEpikriza");
        bool note = false;
        if constexpr (V::year >= 2018)
            note = R::flag(docs, "MedicalNote");
        // The referral's clinical path: one level down ("Hosp") from NRD 2018 on.
        bool hospital = false;
        if constexpr (V::year >= 2018)
            hospital = !ereport::ReadValue(
                            ereport::GetNode(ereport::GetNode(docs, "HospNapr"), "Hosp"), "PathNum")
                            .empty();
        else if constexpr (V::year >= 2009)
            hospital = !ereport::ReadValue(ereport::GetNode(docs, "HospNapr"), "PathNum").empty();
        else
            hospital = R::flag(docs, "Hospitaliz");
        row.setFlag("IS_NOTIFICATION", notification);
        row.setFlag("IS_EPIKRIZA", epicrisis);
        row.setFlag("ISMEDBEL", note);
        row.setFlag("IS_HOSPITALIZATION", hospital);
    });
}

// Sets the columns of the first `room` items of `items` through `set` (1-based position);
// the rest are named in the log by their `code` instead of failing the sheet or being
// dropped unseen.
template <class V, class Items, class Set>
void setNumbered(RunContext<V>& run, const Items& items, int room, std::string_view code,
                 const std::string& what, const std::string& noAl, Set set) {
    std::string leftOut;
    for (int n = 1; n <= items.GetCount(); ++n) {
        const auto item = items.get_item(n - 1);
        if (n <= room)
            set(n, item);
        else
            leftOut += (leftOut.empty() ? "" : ", ") + ereport::ReadValue(item, code);
    }
    if (!leftOut.empty())
        run.log("АЛ " + noAl + ": записани са първите " + std::to_string(room) + " " + what +
                ", не са записани: " + leftOut);
}

template <class V>
void setDiagnosesAndProcedures(RunContext<V>& run, ColumnValues& row, const std::string& noAl,
                               std::int32_t examType) {
    setNumbered(run, run.CurrentAmbList.Diag(), kDiagnosisColumns, "MKB", "допълнителни диагнози",
                noAl, [&](int n, const auto& diag) {
                    const std::string prefix = "PR_ZAB" + std::to_string(n);
                    row.setText(prefix + "_MKB", ereport::ReadValue(diag, "MKB"));
                    row.setText(prefix + "_OPIS", ereport::ReadValue(diag, "imeD"));
                    row.setText(prefix + "_MKB_ADD", ereport::ReadValue(diag, "MKBLinkD"));
                });
    const auto procedures = run.CurrentAmbList.Procedure_();
    setNumbered(run, procedures, procedureColumns(V::year), "kodP", "процедури", noAl,
                [&](int n, const auto& procedure) {
                    const std::string prefix = "PROCEDURE" + std::to_string(n);
                    row.setText(prefix + "_MKB", ereport::ReadValue(procedure, "kodP"));
                    row.setText(prefix + "_OPIS", ereport::ReadValue(procedure, "imeP"));
                    if (run.isSpecialist())
                        applyProcedureRules(run, row, n, procedure);
                });
    if (run.isSpecialist() && procedures.GetCount() > 0)
        applyRehabilitationEnd(run, row, examType);
}

template <class V>
void setTexts(RunContext<V>& run, ColumnValues& row, const std::string& book) {
    const auto& sheet = run.CurrentAmbList;
    row.setText("ANAMN", common::leftCharacters(ereport::ReadValue(sheet, "Anamnesa"), 1000));
    row.setText("SYST", common::leftCharacters(ereport::ReadValue(sheet, "HState"), 1000));
    row.setText("IZSL", common::leftCharacters(ereport::ReadValue(sheet, "Examine"), 1000));
    std::string therapy;
    if constexpr (V::year >= 2009)
        therapy = ereport::ReadValue(ereport::GetNode(sheet, "Therapy"), "Nonreimburce");
    else
        therapy = ereport::ReadValue(sheet, "Therapy");
    row.setText("TERAPY", common::leftCharacters(therapy, 3000));
    const std::string lkk =
        ereport::ReadValue(ereport::GetNode(ereport::GetNode(sheet, "Docs"), "LKK"), "NoLKK");
    if (!lkk.empty())
        row.setText("TALON_LKK", lkk);
    row.setText("RECKNNO", book);
}

// NRD 2022's national numbers and status.
void setNationalColumns(RunContext<Nrd2022>& run, ColumnValues& row, const std::string& noAl) {
    const auto& sheet = run.CurrentAmbList;
    row.setText("PATIENTOF_NEOTL", ereport::ReadValue(sheet, "PatientofNeotl"));
    if (ereport::NodeExsist(sheet, "PatientofNeotlID"))
        row.setInt("PATIENTOF_NEOTLID", ereport::ReadValueInt(sheet, "PatientofNeotlID", 0));
    const bool nrn = isNrn(noAl);
    row.setText("NRN", nrn ? noAl : ereport::ReadValue(sheet, "NRN"));
    row.setInt("NZIS_STATUS", nrn ? 6 : ereport::ReadValueInt(sheet, "NzisStatus", 0));
    row.setText("COPIED_FROM_NRN", ereport::ReadValue(sheet, "CopiedFromNRN"));
    row.setFlag("IS_BABY_CARE",
                ereport::ReadValueBool(ereport::GetNode(sheet, "VisitFor"), "Babycare", false));
}

// The examination's row, gathered in the order of the rules.
template <class V>
ColumnValues sheetRow(RunContext<V>& run, const std::string& noAl, const std::string& book) {
    const auto& sheet = run.CurrentAmbList;
    ColumnValues row;
    row.setInt("PACIENT_ID", run.CurrentPatientID);
    setSheetDoctor(run, row);

    const std::string number = V::year == 2022 && isNrn(noAl) ? "0" : noAl;
    row.setText("AMB_LISTN", number);
    row.set("START_DATE", common::DateFromSQL(sheet.DataAl()));
    row.setText("START_TIME", sheet.Time());
    for (const char* c : {"IS_NO_DELAY", "IS_EMERGENCY", "IS_ANALYSIS", "IS_MANIPULATION",
                          "IS_OPERATION", "IS_REHABILITATION", "IS_PODVIZHNO_LZ"})
        row.setFlag(c, false);
    row.setFlag("IS_FORM_VALID", sheet.Sign());
    if constexpr (V::year >= 2009) {
        row.setFlag("PAY", sheet.Pay());
        row.setFlag("INCIDENTALLY", sheet.Incidentally());
        row.setFlag("IS_REGISTRATION", false);
    }
    if (run.isSpecialist())
        setSpecialistDefaults(run, row);
    else
        row.setText("AMB_JOURNALN", number);

    const std::int32_t examType = common::readIntegerOr(sheet.ExamType(), 0);
    setExamType(run, row, examType);
    if (run.isSpecialist())
        applyVisitRules(run, row, examType);
    setVisitFlags(run, row, noAl);
    setPrevention(run, row);
    setVsd(run, row);
    setDocsFlags(run, row);

    const auto mainDiag = sheet.MainDiag();
    row.setText("MAIN_DIAG_MKB", mainDiag.MKB());
    row.setText("MAIN_DIAG_OPIS", mainDiag.ImeMD());
    if (std::string add = ereport::ReadValue(mainDiag, "MKBLinkD"); !add.empty())
        row.setText("MAIN_DIAG_MKB_ADD", add);
    setDiagnosesAndProcedures(run, row, noAl, examType);
    setTexts(run, row, book);

    common::UseSqlDateFormats();
    row.setInt("NRD", V::year == 2005 ? 2005 : 2006);
    if constexpr (V::year == 2022)
        setNationalColumns(run, row, noAl);
    return row;
}

// Whether this transaction sees an examination of the row's sheet key (the database's
// unique key of PREGLED): a duplicate key it cannot see is another program's row.
bool examinationIsVisible(RunState& run, const ColumnValues& row) {
    const char* key[] = {"PACIENT_ID", "DOCTOR_ID", "START_DATE", "AMB_LISTN", "NRN"};
    db::Params params;
    for (const char* column : key)
        params.push_back({column, row.get(column)});
    return !common::isNull(run.dm.SqlToValue(
        // An NRN the insert leaves out is the column's default, the empty text.
        "SELECT FIRST(1) ID FROM PREGLED WHERE PACIENT_ID = :PACIENT_ID AND DOCTOR_ID = "
        ":DOCTOR_ID AND START_DATE = :START_DATE AND AMB_LISTN = CAST(:AMB_LISTN AS "
        "VARCHAR(1000)) AND COALESCE(NRN, '') = COALESCE(CAST(:NRN AS VARCHAR(1000)), '')",
        params));
}

}  // namespace

template <class V>
void ImportAmbList(RunContext<V>& run) {
    const auto& sheet = run.CurrentAmbList;
    run.CurrentPatient = sheet.Patient();
    const std::string book =
        ereport::ReadValue(ereport::GetNode(ereport::GetNode(sheet, "Docs"), "Rp"), "RpBook");
    if (!ImportPatient(run, book.empty() ? "NULL" : book))
        return;

    const std::string noAl = ereport::ReadValue(sheet, "NoAl");
    if (const common::Variant found = GetPregledID(run); !common::isNull(found)) {
        run.CurrentPregledID = static_cast<std::int32_t>(std::get<std::int64_t>(found));
        run.log("Импортиране на АЛ: Амб. лист с номер " + noAl + " вече съществува в базата");
        ++run.counts[RowKind::examination].existing;
        return;
    }

    const ColumnValues row = sheetRow(run, noAl, book);
    try {
        // The new row's key comes back with the insert: the attachments always belong
        // to the examination just written, also where a look-up by number would miss it.
        run.CurrentPregledID =
            executeInsert(run, run.dm.qryAmbList, sheetInsert(V::year, run.isSpecialist()), row);
        ++run.counts[RowKind::examination].written;
        dispatchAttachments(run);
    } catch (const db::DatabaseError& e) {
        if (!alreadyThere(e, [&] { return examinationIsVisible(run, row); }))
            throw;
        run.log("Този преглед вече съществува в базата, АЛ = " + noAl);
        ++run.counts[RowKind::examination].existing;
    }
}

#define KALVEX_INSTANTIATE(V) template void ImportAmbList<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
