#include "engine/documents/sick_leave_row.h"

#include <cmath>

#include "common/regions.h"
#include "engine/sheet/sheet_number.h"

namespace kalvex::engine {

common::Variant certificateSexType(std::string_view egn, const ereport::nrd2022::TXMLLNCH& lnch) {
    const std::string byEgn = common::EgnToSexType(egn);
    if (byEgn != "-1")
        return byEgn;
    try {
        return common::SEX_TYPE(lnch.Sex());
    } catch (const Error&) {
        // No "Sex" or not a flag: the certificate does not say, the column stays null.
        return common::Null;
    }
}

common::Variant certificateCity(std::string_view rzok, std::string_view zdrRajon) {
    const common::RegionIndex index = common::regionIndexFromCodes(rzok, zdrRajon);
    if (index.region < 1 || index.region > common::kRegionCount || index.municipality < 0 ||
        index.municipality >= common::kMunicipalityColumns)
        return common::Null;
    return std::string(common::municipalityName(index.region, index.municipality));
}

std::int64_t certificateAge(std::string_view egn) {
    const double days =
        std::floor(common::now().value) - std::floor(common::EgnToBirthDate(egn).value);
    return static_cast<std::int64_t>(days / 365.25);
}

common::Variant diagnosisName(RunState& run, const std::string& code) {
    return run.catalogues.SqlToValue("SELECT FIRST(1) NAME FROM ICD10CM WHERE " + sameText("CODE", "CODE"),
                             {{"CODE", code}});
}

}  // namespace kalvex::engine
