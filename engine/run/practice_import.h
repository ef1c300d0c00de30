#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/tdm.h"
#include "engine/run/run_context.h"
#include "ereport/xml_report.h"

// A group practice's e-report in one run: every doctor of it, in document order, under
// the database doctor of his UIN.
namespace kalvex::engine {

// The database doctor an e-report doctor's sheets go to: the first (by ID) of his UIN,
// and where several share it, the first of them whose speciality has the e-report's
// code, if it names one. 0 when no database doctor has the UIN (or it is empty).
std::int32_t practiceDoctorId(db::Tdm& dm, const std::string& uin,
                              const std::string& specialityCode);

// An e-report doctor of the file loaded last, with the database doctor he goes to.
struct PracticeDoctor {
    std::string uin;
    std::string name;
    int sheets = 0;
    std::int32_t databaseDoctorId = 0;
};

// Every doctor of the file loaded last for NRD `nrdIndex`, in document order.
std::vector<PracticeDoctor> practiceDoctors(db::Tdm& dm, const ereport::XmlReport& xml,
                                            int nrdIndex);

// Imports every doctor of the run's e-report under the database doctor of his UIN,
// each as the one chosen doctor of a run is imported. A doctor the database lacks is
// created where the version can (NRD 2022, when asked); otherwise his sheets are
// passed over, told in the log and counted as skipped.
template <class V>
void ImportPractice(RunContext<V>& run);

// The run imports the doctor at XMLDoctorIndex only: the log names the file's other
// doctors, and their sheets count as skipped.
template <class V>
void tellPassedOverDoctors(RunContext<V>& run);

}  // namespace kalvex::engine
