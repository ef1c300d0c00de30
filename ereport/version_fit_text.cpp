#include "ereport/version_fit_text.h"

#include <cstdio>

#include "ereport/nrd_periods.h"

namespace kalvex::ereport {
namespace {

std::string monthText(const ReportMonth& month) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%04d", month.month, month.year);
    return text;
}

std::string labelOf(int nrdIndex) {
    return nrdIndex < 0 ? "преди НРД 2003" : versionLabel(nrdIndex);
}

// "във файла са от 03.2015 до 05.2015 (НРД 2015)", of the examinations
std::string datesText(const VersionFit& fit) {
    std::string text = "във файла са от " + monthText(*fit.firstMonth);
    if (*fit.lastMonth != *fit.firstMonth)
        text += " до " + monthText(*fit.lastMonth);
    std::string versions;
    for (const int version : fit.inForce)
        versions += (versions.empty() ? "" : " и ") + labelOf(version);
    return text + " (" + versions + ")";
}

// "АЛ № 000412, VisitFor/Consult „true“: Could not convert …"
std::string unreadText(const UnreadValue& unread) {
    return "АЛ № " + unread.sheet + ", " + unread.path +
           (unread.text ? " „" + *unread.text + "“" : " (липсва)") + ": " + unread.failure;
}

// What the dates alone say against or for a version, after its first sentence.
std::string datesAside(const VersionFit& fit) {
    if (fit.inForce.size() > 1)
        return " Файлът съдържа прегледи от периодите на различни НРД.";
    const int dated = fit.inForce.front();
    if (dated == 0)
        return " С НРД 2003 не се импортира нищо.";
    if (dated > 0 && dated != fit.chosen && fit.unreadInForce)
        return " С " + versionLabel(dated) +
               " обаче файлът също не се чете: " + unreadText(*fit.unreadInForce) + ".";
    return {};
}

}  // namespace

std::string misfitText(const VersionFit& fit) {
    const std::string chosen = "Избрано е " + versionLabel(fit.chosen);
    const bool datesFit =
        fit.inForce.empty() || (fit.inForce.size() == 1 && fit.inForce.front() == fit.chosen);
    if (!datesFit)
        return chosen + ", а прегледите " + datesText(fit) + "." + datesAside(fit);
    const std::string cannotRead =
        versionLabel(fit.chosen) + " не може да прочете " + unreadText(*fit.unread) + ".";
    if (fit.inForce.empty())
        return chosen + ", но " + cannotRead;
    return chosen + " и прегледите " + datesText(fit) + ", но " + cannotRead;
}

std::string noClearVersionText(const VersionFit& fit) {
    if (fit.inForce.empty())
        return "Във файла няма прегледи с дата, по която да се определи НРД.";
    const std::string dates = "Прегледите " + datesText(fit);
    if (fit.inForce.size() > 1 || fit.inForce.front() <= 0)
        return dates + "." + datesAside(fit);
    const int dated = fit.inForce.front();
    const std::optional<UnreadValue>& unread = dated == fit.chosen ? fit.unread : fit.unreadInForce;
    return dates + ", но " + versionLabel(dated) + " не може да прочете " + unreadText(*unread) +
           ".";
}

}  // namespace kalvex::ereport
