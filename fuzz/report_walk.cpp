#include "fuzz/report_walk.h"

#include <cstddef>
#include <tuple>
#include <utility>
#include <vector>

#include "ereport/doctor_list.h"
#include "ereport/version_check.h"
#include "ereport/version_fit_text.h"
#include "ereport/xml_report.h"
#include "fuzz/model_walk.h"

namespace kalvex::fuzz {
namespace {

using ereport::XmlReport;

// The wizard shows the doctor list and picks the chosen entry or the first.
void pickDoctors(const std::vector<ereport::XmlDoctorItem>& doctors) {
    for (const int selected : {-1, 0, static_cast<int>(doctors.size())}) {
        try {
            ereport::XMLGetDoctorID(doctors, selected);
        } catch (const Error&) {
            // An empty list: the wizard says the e-report lists no doctor.
        }
    }
}

// The version check against every version and none, with what the user would read. It
// answers any document without failing, and reads it before the models add to it.
void checkVersions(const ereport::Element& root) {
    for (int chosen = ereport::kNoVersionChosen; chosen < XmlReport::kVersionCount; ++chosen) {
        const ereport::VersionFit fit = ereport::checkVersion(root, chosen);
        if (chosen != ereport::kNoVersionChosen && !fit.fits())
            ereport::misfitText(fit);
        if (!fit.clear)
            ereport::noClearVersionText(fit);
    }
}

template <std::size_t Index>
void walkVersion(XmlReport& report, const std::string& fileName) {
    try {
        pickDoctors(report.XMLLoadFile(static_cast<int>(Index), fileName));
    } catch (const Error&) {
        // Not well-formed, or not of this version: the wizard shows the text and stops.
        return;
    }
    const auto& bound = report.bound<Index>();
    ModelWalk walk;
    walk.visit(bound.practice);
}

template <std::size_t... Index>
void walkVersions(XmlReport& report, const std::string& fileName, std::index_sequence<Index...>) {
    (walkVersion<Index + 1>(report, fileName), ...);
}

}  // namespace

void walkReport(const std::string& fileName) {
    XmlReport report;
    try {
        // NRD 2003 has no model: the file is only parsed.
        report.XMLLoadFile(0, fileName);
    } catch (const Error&) {
        // The file does not parse, so every version refuses it the same way.
        return;
    }
    checkVersions(report.loadedRoot());
    walkVersions(report, fileName, std::make_index_sequence<std::tuple_size_v<XmlReport::Roots>>());
}

}  // namespace kalvex::fuzz
