// Whether the e-report fits the chosen NRD version: asked on leaving the file page and
// for each file of a folder as its import comes, with the version it seems to be of.
#include <QComboBox>

#include "app/data_module.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "ereport/nrd_periods.h"
#include "ereport/version_fit_text.h"

namespace kalvex::app {
namespace {

constexpr const char* kCaption = "Версия на НРД";

}  // namespace

std::optional<int> TfrmMain::askVersion(const ereport::VersionFit& fit,
                                        const std::string& shownName) {
    const std::string file = shownName.empty() ? "" : "Файл „" + shownName + "“: ";
    if (dialogs_.questionNoByDefault(this, kCaption,
                                     file + ereport::misfitText(fit) +
                                         "\n\nДа се импортира ли файлът все пак с " +
                                         ereport::versionLabel(fit.chosen) + "?"))
        return fit.chosen;
    if (fit.clear &&
        dialogs_.question(this, kCaption,
                          "Да се импортира ли файлът с " + ereport::versionLabel(*fit.clear) + "?"))
        return *fit.clear;
    return std::nullopt;
}

bool TfrmMain::settleFileVersion(const std::string& fileName, const std::string& shownName) {
    acceptedFile_.clear();
    const ereport::VersionFit fit =
        ereport::checkVersion(dm_.xml.loadedRoot(), cbNRD->currentIndex());
    if (fit.fits())
        return true;
    const std::optional<int> version = askVersion(fit, shownName);
    if (!version)
        return false;
    if (*version == fit.chosen) {
        acceptedFile_ = fileName;
        return true;
    }
    // The version the file belongs to becomes the wizard's choice, as if picked in its list.
    cbNRD->setCurrentIndex(*version);
    cbNRDChange();
    loadXml(fileName);
    return true;
}

}  // namespace kalvex::app
