#include "engine/do_import.h"

#include <string>
#include <tuple>

#include "common/error.h"
#include "engine/doctor_driver.h"
#include "engine/nrd_versions.h"

namespace kalvex::engine {
namespace {

template <class V>
void importVersion(db::Tdm& dm, const ereport::XmlReport& xml, const ImportSettings& settings,
                   ImportUser& user, RunLedger& ledger) {
    RunContext<V> run(dm, xml.bound<V::index>(), settings, user, ledger);
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
    }
    ImportDoctor<V>(run);
}

using Versions = std::tuple<Nrd2005, Nrd2006, Nrd2008, Nrd2009, Nrd2015, Nrd2018, Nrd2021, Nrd2022>;

template <std::size_t... I>
void dispatch(std::index_sequence<I...>, db::Tdm& dm, const ereport::XmlReport& xml,
              const ImportSettings& settings, ImportUser& user, RunLedger& ledger) {
    // NRD "2003" (index 0) matches no version: it imports nothing and logs nothing.
    (void)((settings.nrdIndex == static_cast<int>(std::tuple_element_t<I, Versions>::index) &&
            (importVersion<std::tuple_element_t<I, Versions>>(dm, xml, settings, user, ledger),
             true)) ||
           ...);
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
    dispatch(std::make_index_sequence<std::tuple_size_v<Versions>>(), dm, xml, settings, user,
             ledger);
}

}  // namespace kalvex::engine
