#include "cli/nrd_choice.h"

#include "ereport/nrd_periods.h"
#include "ereport/version_check.h"
#include "ereport/version_fit_text.h"

namespace kalvex::cli {

int versionForFile(const std::string& fileName, std::optional<int> chosen) {
    const ereport::VersionFit fit =
        ereport::checkFileVersion(fileName, chosen.value_or(ereport::kNoVersionChosen));
    const std::string file = "Файл " + fileName + ": ";
    if (!chosen) {
        if (!fit.clear)
            throw VersionRefused(file + ereport::noClearVersionText(fit) +
                                 "\nПосочете НРД с --nrd ГОДИНА (и с --ignore-version-check, за "
                                 "да се импортира все пак с него).");
        return *fit.clear;
    }
    if (fit.fits())
        return *chosen;
    const std::string anyway = "--ignore-version-check, за да се импортира все пак с " +
                               ereport::versionLabel(*chosen) + ".";
    throw VersionRefused(file + ereport::misfitText(fit) + "\n" +
                         (fit.clear ? "Изберете --nrd " +
                                          std::to_string(ereport::versionYear(*fit.clear)) +
                                          " или добавете " + anyway
                                    : "Добавете " + anyway));
}

}  // namespace kalvex::cli
