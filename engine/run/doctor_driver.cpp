// The per-doctor driver of every NRD version: the run's database doctor, the progress
// display, one log line and one savepoint per sheet.
#include "engine/run/doctor_driver.h"

#include <exception>
#include <string>
#include <utility>

#include "common/characters.h"
#include "common/error.h"
#include "common/numbers.h"
#include "db/database_error.h"
#include "engine/statements/attachment_insert.h"
#include "engine/sheet/doctor_insert.h"
#include "engine/sheet/doctor_lookup.h"
#include "engine/sheet/hired_doctors.h"
#include "engine/run/interruption.h"
#include "engine/journal/run_journal.h"
#include "engine/sheet/sheet_import.h"

namespace kalvex::engine {
namespace {

std::string countText(int done, int total) {
    return "Брой импортирани амбулаторни листа: " + std::to_string(done) + " от " +
           std::to_string(total) + " общо.";
}

// The word for the exam type in the sheet's progress line: 11 a primary, 12 a secondary
// visit. NRD 2022 starts every sheet empty and stops the run on a type that is not a
// number; earlier versions keep the last sheet's word for any other number.
template <class V>
void updateExamKind(std::string& kind, const std::string& examType) {
    std::int32_t type = 0;
    if constexpr (V::year == 2022) {
        kind.clear();
        if (examType.empty())
            return;
        type = common::StrToInt(examType);
    } else {
        const auto parsed = common::parseInteger(examType);
        if (!parsed) {
            kind.clear();
            return;
        }
        type = *parsed;
    }
    if (type == 11)
        kind = "първичен";
    else if (type == 12)
        kind = "вторичен";
}


// NRD 2022: the doctor of the e-report's UIN and speciality when asked to look it up,
// created when the run has no doctor yet. A whole-practice run has looked him up by
// his UIN already.
void settleDoctor2022(RunContext<Nrd2022>& run) {
    if (run.settings.createDoctorIfMissing && !run.settings.allDoctors) {
        const std::int32_t speciality = common::StrToInt(run.CurrentDoctor.SIMPCode());
        run.CurrentDoctorID = doctorByUin(run, run.CurrentDoctor.UIN(), &speciality);
    }
    if (run.CurrentDoctorID == 0)
        run.CurrentDoctorID = ImportDoctorInfo2022(run);
}

// A sheet's rows could not be undone alone: the transaction is rolled back whole, and
// with it everything since the last commit.
void abandonTransaction(RunState& run) {
    run.ledger.loseUncommitted();
    try {
        run.dm.traMain.rollback();
    } catch (const Error&) {
        // A transaction that cannot even be rolled back has died with its connection,
        // and the database undoes it by itself.
    }
}

// Runs the sheet importer inside a savepoint: a sheet is written whole or not at all,
// and its counts join the run's only when it is kept (`kept` then says so, also when
// the commit after it fails).
template <class V>
void importWholeSheet(RunContext<V>& run, bool& kept) {
    db::Tdm& dm = run.dm;
    dm.SqlToValue("SAVEPOINT KALVEX_SHEET");
    try {
        ImportAmbList<V>(run);
    } catch (const std::exception& e) {
        std::string why = db::failureText(e);
        run.counts = {};
        run.journal.clear();
        bool undone = true;
        try {
            dm.SqlToValue("ROLLBACK TO SAVEPOINT KALVEX_SHEET");
        } catch (const Error& rollback) {
            abandonTransaction(run);
            why += "\n" + db::failureText(rollback);
            undone = false;
        }
        run.ledger.fail(RowKind::examination);
        run.log("Амбулаторният лист с номер " + run.CurrentAmbList.NoAl() +
                " не е импортиран: " + common::oneLine(why));
        // The error passes on as it is, for its kind; a range or allocation failure of
        // the library, or one joined by the failed rollback, travels as an Error.
        if (undone && dynamic_cast<const Error*>(&e) != nullptr)
            throw;
        throw Error(why);
    }
    dm.SqlToValue("RELEASE SAVEPOINT KALVEX_SHEET ONLY");
    run.keepWork();
    // From here the sheet is whole in the transaction: a failed commit stops the run
    // after it, at no sheet of its own.
    kept = true;
    if (run.commitAfterSheet) {
        run.commitAfterSheet = false;
        if (!run.settings.dryRun) {
            // The journal of the rows commits with them.
            flushJournal(dm, run.ledger);
            dm.traMain.commitRetaining();
            run.ledger.committed();
        }
    }
}

}  // namespace

std::int32_t ImportDoctorInfo2022(RunContext<Nrd2022>& run) {
    const auto& doctor = run.CurrentDoctor;
    // The code stands unquoted in the statement: one that is no number stops the run.
    const std::int32_t code = common::StrToInt(doctor.SIMPCode());
    const std::int32_t speciality = specialityIdByCode(run, std::to_string(code), false);
    const std::string uin = doctor.UIN();
    insertDoctor(run, DoctorRow{doctor.EGN(), doctor.FullName(), uin, false, false, speciality});
    // The doctor of this UIN and speciality, or, where the database keys doctors
    // otherwise, the first of this UIN. Never a run without a doctor.
    std::int32_t id = doctorByUin(run, uin, &speciality);
    if (id == 0)
        id = doctorByUin(run, uin);
    if (id == 0)
        throw Error("Лекарят с УИН " + uin +
                    " не може да бъде създаден в базата на Salvix. Импортът е прекратен.");
    return id;
}

namespace {

// The run's doctor and the hired and substitute doctors, before the first sheet. What
// they write is not undone by a sheet's failure: it joins the run's counts as it is,
// also when it stops the run.
template <class V>
void prepareDoctors(RunContext<V>& run, const typename V::AmbListList& sheets) {
    try {
        if constexpr (V::year == 2022)
            settleDoctor2022(run);
        const int total = sheets.GetCount();
        run.user.setActionText("");
        run.user.setCountText(countText(0, total));
        run.user.setProgress(0, total);
        if (total > 0 && run.CurrentDoctorID == 0)
            throw Error(
                "В базата на Salvix няма лекар, на когото да бъдат импортирани амбулаторните "
                "листа. Импортът е прекратен.");
        CheckForHired_Subst<V>(run, sheets);
    } catch (const std::exception&) {
        run.keepWork();
        throw;
    }
    run.keepWork();
}

}  // namespace

template <class V>
void ImportDoctor(RunContext<V>& run) {
    const auto sheets = run.CurrentDoctor.AmbList();
    const int total = sheets.GetCount();
    prepareDoctors(run, sheets);
    run.ledger.doctorOfFile(run.CurrentDoctorID);

    std::string kind;
    for (int i = 0; i < total; ++i) {
        run.CurrentAmbList = sheets.get_item(i);
        bool kept = false;
        try {
            checkInterruption();
            const auto name = run.CurrentAmbList.Patient().Name();
            updateExamKind<V>(kind, run.CurrentAmbList.ExamType());
            const std::string action = "Импортиране на " + kind + " АЛ № " +
                                       run.CurrentAmbList.NoAl() + " на " + name.Given() + " " +
                                       name.Sur() + " " + name.Family();
            run.user.setActionText(action);
            run.user.setCountText(countText(i + 1, total));
            run.user.setProgress(i + 1, total);
            run.log(action);
            importWholeSheet(run, kept);
        } catch (const std::exception&) {
            // The error passes on as it is; the summary names the sheet it stopped at,
            // unless that sheet was kept whole and the run stopped after it.
            if (!kept)
                run.ledger.stoppedAt(run.CurrentAmbList.NoAl());
            throw;
        }
    }
}

#define KALVEX_INSTANTIATE(V) template void ImportDoctor<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
