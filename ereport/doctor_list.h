#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ereport/cp1251_text.h"
#include "ereport/element_list.h"

namespace kalvex::ereport {

// One entry of the XML doctor list that the wizard shows and maps onto a database doctor.
struct XmlDoctorItem {
    std::string text;  // full name, "  (", number of sheets, " амб.листа)"
    int position;      // the doctor's index in the file's doctor list
    std::string UIN;

    bool operator==(const XmlDoctorItem&) const = default;
};

// The position of the selected entry, or of the first entry when none is selected
// (`selected` below 0). Throws kalvex::Error when the list is empty.
int XMLGetDoctorID(const std::vector<XmlDoctorItem>& doctors, int selected);

template <class DoctorT>
XmlDoctorItem describeDoctor(const DoctorT& doctor, int position) {
    std::string text = limitToCp1251(doctor.FullName()) + "  (" +
                       std::to_string(doctor.AmbList().GetCount()) + " амб.листа)";
    return XmlDoctorItem{std::move(text), position, limitToCp1251(doctor.UIN())};
}

// NRD 2005 to 2018: every doctor of the file, in document order.
template <class DoctorT>
std::vector<XmlDoctorItem> listDoctors(const ElementList<DoctorT>& doctors) {
    std::vector<XmlDoctorItem> items;
    items.reserve(static_cast<std::size_t>(doctors.GetCount()));
    for (int i = 0; i < doctors.GetCount(); ++i)
        items.push_back(describeDoctor(doctors.get_item(i), i));
    return items;
}

// NRD 2021 and 2022: the one reporting doctor, there even when the file lacks it.
template <class DoctorT>
std::vector<XmlDoctorItem> listDoctors(const DoctorT& doctor) {
    return {describeDoctor(doctor, 0)};
}

}  // namespace kalvex::ereport
