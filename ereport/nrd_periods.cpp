#include "ereport/nrd_periods.h"

#include <charconv>

#include "ereport/xml_report.h"

namespace kalvex::ereport {

int versionYear(int nrdIndex) {
    const std::string name = XmlReport::versionName(nrdIndex);
    int year = 0;
    std::from_chars(name.data(), name.data() + name.size(), year);
    return year;
}

std::optional<int> versionInForce(int year) {
    std::optional<int> inForce;
    for (int i = 0; i < XmlReport::kVersionCount && versionYear(i) <= year; ++i)
        inForce = i;
    return inForce;
}

std::string versionLabel(int nrdIndex) {
    return "НРД " + XmlReport::versionName(nrdIndex);
}

}  // namespace kalvex::ereport
