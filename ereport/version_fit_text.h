#pragma once

#include <string>

#include "ereport/version_check.h"

// What the user reads about an e-report that does not fit its NRD version: which
// version its dates name and why it seems to be that one.
namespace kalvex::ereport {

// Why the e-report does not fit the chosen version (`fit.fits()` is false), e.g.
// "Избрано е НРД 2022, а прегледите във файла са от 06.2015 (НРД 2015)."
std::string misfitText(const VersionFit& fit);

// Why no version can be taken for the e-report from its own content (`fit.clear` is
// empty), e.g. "Прегледите във файла са от 12.2014 до 01.2015 (НРД 2009 и НРД 2015):
// файлът съдържа прегледи от периодите на различни НРД."
std::string noClearVersionText(const VersionFit& fit);

}  // namespace kalvex::ereport
