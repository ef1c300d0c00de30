#pragma once

#include <compare>
#include <optional>
#include <string>
#include <vector>

#include "ereport/element.h"

// Whether an e-report is of the NRD version chosen for it. Every version's file has the
// same root, so the file is told by what it says itself: the date of each sheet, which
// names the contract then in force, and whether the version's model reads the values
// that the import reads (checked_values.h). The check reads the document as it is and
// creates no element in it.
namespace kalvex::ereport {

// A value of a sheet that a version's model cannot read.
struct UnreadValue {
    std::string sheet;                // the sheet's number ("NoAl")
    std::string path;                 // from the sheet: "VisitFor/Consult"
    std::optional<std::string> text;  // as the file gives it; nothing when missing or empty
    std::string failure;              // the model's text

    bool operator==(const UnreadValue&) const = default;
};

struct ReportMonth {
    int year = 0;
    int month = 0;
    auto operator<=>(const ReportMonth&) const = default;
};

// No version asked about: the check only tells which version the e-report is of.
constexpr int kNoVersionChosen = -1;

struct VersionFit {
    int chosen = kNoVersionChosen;  // the NRD index the e-report was checked against
    // The versions in force on the e-report's dates, ascending; -1 stands for a date
    // before the first contract.
    std::vector<int> inForce;
    // The earliest and the latest month of those dates.
    std::optional<ReportMonth> firstMonth, lastMonth;
    // The first value that the chosen version's model cannot read.
    std::optional<UnreadValue> unread;
    // Where the dates name one version other than the chosen one: the first value that
    // its model cannot read.
    std::optional<UnreadValue> unreadInForce;
    // The version the e-report clearly belongs to: every date falls in its period and its
    // model reads every value. NRD "2003" reads nothing and is never such a version.
    std::optional<int> clear;

    // The dates name the chosen version alone (or there are none) and its model reads
    // every value.
    bool fits() const;
};

// Checks the e-report under `root` against NRD `chosen` (an index of
// XmlReport::kVersionNames, or kNoVersionChosen). The dates are the sheets' ("dataAl")
// of every doctor; an e-report without any sheet is dated by its "DateFrom" and "DateTo".
VersionFit checkVersion(const Element& root, int chosen);

// The same for the file `fileName`, parsed on its own for the check; a file that does
// not parse throws kalvex::Error with the parser's message.
VersionFit checkFileVersion(const std::string& fileName, int chosen);

}  // namespace kalvex::ereport
