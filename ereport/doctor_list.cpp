#include "ereport/doctor_list.h"

#include "common/error.h"

namespace kalvex::ereport {

int XMLGetDoctorID(const std::vector<XmlDoctorItem>& doctors, int selected) {
    if (doctors.empty())
        throw Error("The e-report lists no doctor");
    const bool valid = selected >= 0 && static_cast<std::size_t>(selected) < doctors.size();
    return doctors[valid ? static_cast<std::size_t>(selected) : 0].position;
}

}  // namespace kalvex::ereport
