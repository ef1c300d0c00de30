#include "cli/default_doctor.h"

#include <algorithm>

#include "common/doctor_names.h"

namespace kalvex::cli {

std::int32_t wizardDoctorId(const std::vector<ereport::XmlDoctorItem>& xmlDoctors,
                            const std::vector<db::GdbDoctor>& databaseDoctors, int pickedXmlIndex) {
    if (databaseDoctors.empty())
        return 0;
    std::int32_t id = databaseDoctors.front().id;
    if (!xmlDoctors.empty()) {
        const std::string name = common::databaseNameOfXmlEntry(xmlDoctors.front().text);
        const auto byName = std::find_if(databaseDoctors.begin(), databaseDoctors.end(),
                                         [&](const auto& doctor) { return doctor.text == name; });
        if (byName != databaseDoctors.end())
            id = byName->id;
    }
    if (pickedXmlIndex >= 0 && static_cast<std::size_t>(pickedXmlIndex) < xmlDoctors.size()) {
        const std::string& uin = xmlDoctors[static_cast<std::size_t>(pickedXmlIndex)].UIN;
        const auto byUin = std::find_if(databaseDoctors.begin(), databaseDoctors.end(),
                                        [&](const auto& doctor) { return doctor.uin == uin; });
        if (byUin != databaseDoctors.end())
            id = byUin->id;
    }
    return id;
}

}  // namespace kalvex::cli
