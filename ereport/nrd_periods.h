#pragma once

#include <optional>
#include <string>

// The NRD versions as contracts in time: each is in force from the first day of the year
// it is named after until the next one begins ("2009" from 2009 to 2014, "2022" from 2022
// on). Versions are known by their index into XmlReport::kVersionNames.
namespace kalvex::ereport {

// The version in force in `year`; nothing before the first contract ("2003").
std::optional<int> versionInForce(int year);

// The year a version is named after (2015 for "2015").
int versionYear(int nrdIndex);

// "НРД 2015", as the user reads a version.
std::string versionLabel(int nrdIndex);

}  // namespace kalvex::ereport
