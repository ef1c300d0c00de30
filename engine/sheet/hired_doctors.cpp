// Hired and substitute doctors of every NRD version.
#include "engine/sheet/hired_doctors.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/characters.h"
#include "common/conversions.h"
#include "common/error.h"
#include "common/full_name.h"
#include "db/database_error.h"
#include "db/egn_duplicate.h"
#include "engine/sheet/doctor_insert.h"
#include "engine/sheet/doctor_lookup.h"
#include "engine/run/nrd_versions.h"
#include "engine/sheet/sheet_number.h"
#include "engine/sheet/value_reads.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

using ereport::Element;

constexpr const char* kLogPrefix = "Импортиране на нает/заместващ д-р: ";

// NRD 2022 reads the optional element without creating it; the earlier versions go
// through the document model, which makes a missing one empty.
template <class V>
Element hiredElement(const typename V::AmbList& sheet) {
    if constexpr (V::year == 2022) {
        Element hired;
        ereport::GetNode(sheet, "Hired_Subst", hired);
        return hired;
    } else {
        return sheet.Hired_Subst();
    }
}

bool doctorOfUinExists(RunState& run, const std::string& uin) {
    return doctorByUin(run, uin) != 0;
}

// What the new doctor gets as its speciality: the run doctor's. NRD 2005 wrote the
// speciality's code there instead of its key; 0 means there is none to give.
template <class V>
std::int32_t runDoctorSpeciality(RunState& run) {
    const db::Params doctor{{"ID", std::int64_t{run.CurrentDoctorID}}};
    std::int32_t speciality = 0;
    if constexpr (V::year == 2005)
        run.dm.ReadSqlValue(
            "SELECT CODE FROM SPECIALITY WHERE ID = (SELECT SPECIALITY_ID FROM DOCTOR WHERE "
            "DOCTOR.ID = :ID)",
            speciality, doctor);
    else
        run.dm.ReadSqlValue("SELECT SPECIALITY_ID FROM DOCTOR WHERE DOCTOR.ID = :ID", speciality,
                            doctor);
    return speciality;
}

// Once the user agreed to create the doctor there is no way back but a valid number:
// an empty answer or a cancel only asks again. Nothing once the program is to end, as
// no answer will come any more.
std::optional<std::string> askEgn(ImportUser& user, const std::string& noAl,
                                  const std::string& name) {
    const std::string prompt = "Salvix трябва да импортира данните за нает/заместващ лекар на АЛ " +
                               noAl + ". Моля въведете ЕГН на д-р " + name;
    for (;;) {
        const auto answer = user.inputText("Импорт нает/заместващ лекар", prompt, "");
        if ((!answer || answer->empty()) && user.endRequested())
            return std::nullopt;
        if (!answer || answer->empty())
            continue;
        if (common::ValidEGN(*answer))
            return *answer;
        user.showMessage("Невалидно ЕГН!");
    }
}

// A number no other doctor has, asked for while the one at hand is taken; nothing when
// the user gives up with an empty answer. A free but invalid answer is refused with the
// same prompt, so that no answer can keep the loop going without the user.
std::optional<std::string> freeEgn(RunState& run, const std::string& egn) {
    if (!db::EGNIsDuplicate(run.dm, egn))
        return egn;
    const auto taken = [](const std::string& number) {
        return "Доктор с ЕГН " + number +
               " вече съществува в базата на Salvix. Моля въведете друго ЕГН";
    };
    std::string prompt = taken(egn);
    for (;;) {
        const auto answer = run.user.inputText("Импорт заместващ/нает доктор", prompt, "");
        if (!answer || answer->empty())
            return std::nullopt;
        if (db::EGNIsDuplicate(run.dm, *answer))
            prompt = taken(*answer);
        else if (common::ValidEGN(*answer))
            return *answer;
        else
            run.user.showMessage("Невалидно ЕГН!");
    }
}

template <class V>
void checkSheet(RunContext<V>& run, const typename V::AmbList& sheet) {
    using R = ReadsOf<V>;
    const Element hired = hiredElement<V>(sheet);
    const std::string uin = R::text(hired, "UINH_S");
    if (uin.empty() || doctorOfUinExists(run, uin))
        return;
    const std::string noAl = R::text(sheet, "NoAl");
    const std::string name = R::text(hired, "FullNameH_S");
    run.user.hiredDoctorAsked(uin);
    if (!run.user.askYesNo("Kalvex", "Kalvex откри, че преглед с номер " + noAl +
                                         " е извършен от нает/заместващ д-р " + name +
                                         ". Искате ли да импортирате този доктор в базата? За "
                                         "целта е нужно да въведете ЕГН!")) {
        ++run.counts[RowKind::doctor].skippedNotFound;
        return;
    }
    const auto egn = askEgn(run.user, noAl, name);
    if (!egn) {
        ++run.counts[RowKind::doctor].skippedNotFound;
        return;
    }
    ImportH_SDoc<V>(run, *egn, sheet);
}

}  // namespace

template <class V>
void CheckForHired_Subst(RunContext<V>& run, const typename V::AmbListList& sheets) {
    for (int i = 0; i < sheets.GetCount(); ++i) {
        const auto sheet = sheets.get_item(i);
        if constexpr (V::year == 2022) {
            checkSheet(run, sheet);
        } else {
            try {
                checkSheet(run, sheet);
            } catch (const Error& e) {
                // These versions never let one sheet's doctor stop the run; the sheet
                // is then written under the reporting doctor, and the log says why. A
                // fault of the database itself stops the run all the same.
                if (db::isDatabaseFault(e))
                    throw;
                run.log(kLogPrefix + common::oneLine(e.what()));
                ++run.counts[RowKind::doctor].skippedNotFound;
            }
        }
    }
}

// `egn` is valid: the check asks until it is.
template <class V>
void ImportH_SDoc(RunContext<V>& run, const std::string& egn, const typename V::AmbList& sheet) {
    using R = ReadsOf<V>;
    RowCounts& counts = run.counts[RowKind::doctor];
    const std::int32_t speciality = runDoctorSpeciality<V>(run);
    const Element hired = hiredElement<V>(sheet);
    const std::string name = std::string(common::TrimName(R::text(hired, "FullNameH_S")));
    if (speciality == 0) {
        run.log(kLogPrefix + std::string("Код на специалност на д-р ") + name +
                " липсва в базата на Salvix. Лекаря няма да бъде импортиран");
        ++counts.skippedUnknownCode;
        return;
    }
    const std::optional<std::string> free = freeEgn(run, egn);
    if (!free) {
        ++counts.skippedNotFound;
        return;
    }
    const bool substitute = R::flag(hired, "H_S");
    insertDoctor(run, DoctorRow{*free, name, sheet.Hired_Subst().UINH_S(), !substitute,
                                substitute, speciality});
}

#define KALVEX_INSTANTIATE(V)                                                             \
    template void CheckForHired_Subst<V>(RunContext<V>&, const typename V::AmbListList&); \
    template void ImportH_SDoc<V>(RunContext<V>&, const std::string&, const typename V::AmbList&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
