#pragma once

#include <cstdint>
#include <vector>

#include "db/gdb_mediator.h"
#include "ereport/doctor_list.h"

namespace kalvex::cli {

// The database doctor the wizard would have selected: the one whose name is that of
// the first XML doctor, else the first of the database (0 when there is none); when
// the user picks the XML doctor at `pickedXmlIndex` (an index of `xmlDoctors`), the
// database doctor of that doctor's UIN, where there is one.
std::int32_t wizardDoctorId(const std::vector<ereport::XmlDoctorItem>& xmlDoctors,
                            const std::vector<db::GdbDoctor>& databaseDoctors, int pickedXmlIndex);

}  // namespace kalvex::cli
