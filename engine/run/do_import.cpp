#include "engine/run/do_import.h"

#include <string>

#include "common/error.h"
#include "engine/run/doctor_driver.h"
#include "engine/run/nrd_versions.h"
#include "engine/run/practice_import.h"

namespace kalvex::engine {
namespace {

template <class V>
void importVersion(db::Tdm& dm, const ereport::XmlReport& xml, const ImportSettings& settings,
                   ImportUser& user, RunLedger& ledger) {
    RunContext<V> run(dm, xml.bound<V::index>(), settings, user, ledger);
    if (settings.allDoctors) {
        ImportPractice<V>(run);
        return;
    }
    run.XMLDoctorIndex = V::singleDoctor ? 0 : settings.xmlDoctorIndex;
    run.CurrentDoctorID = settings.databaseDoctorId;
    if constexpr (V::singleDoctor) {
        run.CurrentDoctor = run.report.doctor;
    } else {
        const auto& doctors = run.report.doctor;
        if (run.XMLDoctorIndex < 0 || run.XMLDoctorIndex >= doctors.GetCount())
            throw Error("XML файлът няма лекар с пореден номер " +
                        std::to_string(run.XMLDoctorIndex) + " (лекарите са " +
                        std::to_string(doctors.GetCount()) + ")");
        run.CurrentDoctor = doctors.get_item(run.XMLDoctorIndex);
        if (settings.tellPassedOverDoctors)
            tellPassedOverDoctors(run);
    }
    ImportDoctor<V>(run);
}

}  // namespace

ImportCounts DoImport(db::Tdm& dm, const ereport::XmlReport& xml, const ImportSettings& settings,
                      ImportUser& user) {
    RunLedger ledger;
    DoImport(dm, xml, settings, user, ledger);
    return ledger.counts();
}

void DoImport(db::Tdm& dm, const ereport::XmlReport& xml, const ImportSettings& settings,
              ImportUser& user, RunLedger& ledger) {
    withNrdVersion(settings.nrdIndex, [&](auto version) {
        importVersion<decltype(version)>(dm, xml, settings, user, ledger);
    });
}

}  // namespace kalvex::engine
