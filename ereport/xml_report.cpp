#include "ereport/xml_report.h"

namespace kalvex::ereport {

template <std::size_t Index>
std::vector<XmlDoctorItem> XmlReport::bind() {
    using Root = std::tuple_element_t<Index - 1, Roots>;
    std::optional<Bound<Index>> fresh;
    std::vector<XmlDoctorItem> doctors;
    try {
        Root practice = bindPractice<Root>(*document_);
        auto doctor = practice.Doctor();
        doctors = listDoctors(doctor);
        fresh.emplace(Bound<Index>{document_, practice, doctor});
    } catch (const Error&) {
        // Whatever failed here (the root, a doctor's name or UIN) means the file does not
        // follow the chosen version; the user gets one message that says so.
        throw ReportFormatError();
    }
    std::get<Index - 1>(bindings_) = std::move(fresh);
    return doctors;
}

template <std::size_t... Index>
std::vector<XmlDoctorItem> XmlReport::bindVersion(int nrdIndex, std::index_sequence<Index...>) {
    std::vector<XmlDoctorItem> doctors;
    ((nrdIndex == static_cast<int>(Index) + 1 ? (doctors = bind<Index + 1>(), true) : false) ||
     ...);
    return doctors;
}

std::vector<XmlDoctorItem> XmlReport::XMLLoadFile(int nrdIndex, const std::string& fileName,
                                                  const BetweenBlocks& betweenBlocks) {
    if (nrdIndex < 0 || nrdIndex >= kVersionCount)
        throw Error("Unknown NRD index " + std::to_string(nrdIndex));
    document_ = Document::load(fileName, betweenBlocks);
    return bindVersion(nrdIndex, std::make_index_sequence<std::tuple_size_v<Roots>>());
}

}  // namespace kalvex::ereport
