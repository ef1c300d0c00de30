#pragma once

#include <string_view>

// The fixed table that turns an e-report's region code ("RZOK") and municipality
// code ("ZdrRajon") into the names the practice database stores.
namespace kalvex::common {

inline constexpr int kRegionCount = 28;          // regions 1..28
inline constexpr int kMunicipalityColumns = 23;  // column 0 region, 1..22 municipalities

// Name of region 1..28; throws std::out_of_range ("Range check error") otherwise.
std::string_view regionName(int region);

// Column 0..22 of region 1..28: 0 is the region's own name, a column past the
// region's last municipality is empty. Throws std::out_of_range outside the table.
std::string_view municipalityName(int region, int municipality);

struct RegionIndex {
    int region = 22;
    int municipality = 1;
};

// The importers' rule: "RZOK" read as a decimal integer or 22, "ZdrRajon" read as
// a decimal integer or 1. The pair is not range-checked here; the look-ups above are.
RegionIndex regionIndexFromCodes(std::string_view rzok, std::string_view zdrRajon);

}  // namespace kalvex::common
