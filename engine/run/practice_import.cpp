#include "engine/run/practice_import.h"

#include "common/numbers.h"
#include "engine/run/doctor_driver.h"
#include "engine/run/nrd_versions.h"
#include "engine/sheet/sheet_number.h"

namespace kalvex::engine {
namespace {

template <class V, class Report>
int doctorCount(const Report& report) {
    if constexpr (V::singleDoctor)
        return 1;
    else
        return report.doctor.GetCount();
}

template <class V, class Report>
typename V::Doctor doctorAt(const Report& report, int position) {
    if constexpr (V::singleDoctor)
        return report.doctor;
    else
        return report.doctor.get_item(position);
}

// "Мария Иванова Петрова (УИН 0400000001, 12 амб.листа)"
template <class Doctor>
std::string doctorText(const Doctor& doctor) {
    return doctor.FullName() + " (УИН " + doctor.UIN() + ", " +
           std::to_string(doctor.AmbList().GetCount()) + " амб.листа)";
}

// His sheets are not imported: one log line, and one skipped examination each.
template <class V>
void passOver(RunContext<V>& run) {
    const auto& doctor = run.CurrentDoctor;
    run.log("Лекарят " + doctor.FullName() + " (УИН " + doctor.UIN() +
            ") няма в базата на Salvix: " + std::to_string(doctor.AmbList().GetCount()) +
            " амбулаторни листа не са импортирани.");
    run.counts[RowKind::examination].skippedNotFound += doctor.AmbList().GetCount();
    run.keepWork();
}

}  // namespace

std::int32_t practiceDoctorId(db::Tdm& dm, const std::string& uin,
                              const std::string& specialityCode) {
    if (uin.empty())
        return 0;
    std::int32_t id = 0;
    // Cast wide: a UIN longer than the column finds no doctor instead of failing.
    const std::string sameUin = "UIN = CAST(:UIN AS VARCHAR(1000))";
    const auto code = common::parseInteger(specialityCode);
    if (!code) {
        dm.ReadSqlValue("SELECT FIRST(1) ID FROM DOCTOR WHERE " + sameUin + " ORDER BY ID", id,
                        {{"UIN", uin}});
        return id;
    }
    // A speciality of the code, current or not, is his.
    dm.ReadSqlValue("SELECT FIRST(1) D.ID FROM DOCTOR D WHERE D." + sameUin +
                        " ORDER BY CASE WHEN EXISTS (SELECT 1 FROM SPECIALITY S WHERE S.ID = "
                        "D.SPECIALITY_ID AND " +
                        sameNumber("S.CODE", "CODE") + ") THEN 0 ELSE 1 END, D.ID",
                    id, {{"UIN", uin}, {"CODE", std::to_string(*code)}});
    return id;
}

std::vector<PracticeDoctor> practiceDoctors(db::Tdm& dm, const ereport::XmlReport& xml,
                                            int nrdIndex) {
    std::vector<PracticeDoctor> doctors;
    withNrdVersion(nrdIndex, [&](auto version) {
        using V = decltype(version);
        const auto& report = xml.bound<V::index>();
        for (int i = 0; i < doctorCount<V>(report); ++i) {
            const auto doctor = doctorAt<V>(report, i);
            doctors.push_back({doctor.UIN(), doctor.FullName(), doctor.AmbList().GetCount(),
                               practiceDoctorId(dm, doctor.UIN(), doctor.SIMPCode())});
        }
    });
    return doctors;
}

template <class V>
void ImportPractice(RunContext<V>& run) {
    for (int i = 0; i < doctorCount<V>(run.report); ++i) {
        run.XMLDoctorIndex = i;
        run.CurrentDoctor = doctorAt<V>(run.report, i);
        const std::string uin = run.CurrentDoctor.UIN();
        run.ledger.beginDoctor(uin, run.CurrentDoctor.FullName());
        run.CurrentDoctorID = practiceDoctorId(run.dm, uin, run.CurrentDoctor.SIMPCode());
        // NRD 2022 creates the doctor the database lacks when asked; earlier versions
        // cannot.
        const bool created = V::year == 2022 && run.settings.createDoctorIfMissing;
        if (run.CurrentDoctorID == 0 && !created)
            passOver(run);
        else
            ImportDoctor<V>(run);
    }
}

template <class V>
void tellPassedOverDoctors(RunContext<V>& run) {
    std::string others;
    int sheets = 0;
    for (int i = 0; i < doctorCount<V>(run.report); ++i) {
        if (i == run.XMLDoctorIndex)
            continue;
        const auto doctor = doctorAt<V>(run.report, i);
        others += (others.empty() ? "" : ", ") + doctorText(doctor);
        sheets += doctor.AmbList().GetCount();
    }
    if (others.empty())
        return;
    run.log("Във файла " + run.settings.reportFile + " се импортират само листовете на " +
            doctorText(run.CurrentDoctor) + "; не са импортирани листовете на " + others + ".");
    run.counts[RowKind::examination].skippedLeftOut += sheets;
    run.keepWork();
}

#define KALVEX_INSTANTIATE(V)                          \
    template void ImportPractice<V>(RunContext<V>&); \
    template void tellPassedOverDoctors<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
