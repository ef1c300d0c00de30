#include "ereport/version_check.h"

#include <algorithm>
#include <string_view>

#include "common/conversions.h"
#include "common/date_time.h"
#include "common/error.h"
#include "ereport/checked_values.h"
#include "ereport/document.h"
#include "ereport/nrd_periods.h"
#include "ereport/value_conversions.h"

namespace kalvex::ereport {
namespace {

// The element's text, or nothing when it is missing or empty; an element with child
// elements of its own fails as the model's reading does.
std::optional<std::string> valueOf(const Element& element) {
    return element.isAbsent() ? std::nullopt : element.value();
}

void convert(ValueKind kind, const std::optional<std::string>& text) {
    switch (kind) {
        case ValueKind::integer:
            integerValue(text);
            return;
        case ValueKind::boolean:
            booleanValue(text);
            return;
        case ValueKind::strictText:
            strictTextValue(text);
            return;
        case ValueKind::date:
            common::DateFromSQL(text.value_or(""));
            return;
    }
}

// The elements that `path` (checked_values.h) leads to from `sheet`, up to its last
// name, and that last name.
std::vector<Element> parentsOf(const Element& sheet, std::string_view path,
                               std::string_view& lastName) {
    std::vector<Element> parents{sheet};
    for (std::size_t slash; (slash = path.find('/')) != std::string_view::npos;
         path.remove_prefix(slash + 1)) {
        std::string_view name = path.substr(0, slash);
        const bool every = name.ends_with('*');
        if (every)
            name.remove_suffix(1);
        std::vector<Element> next;
        for (const Element& parent : parents) {
            if (every) {
                const std::vector<Element> all = parent.findChildren(name);
                next.insert(next.end(), all.begin(), all.end());
            } else if (const Element child = parent.findChild(name); !child.isAbsent()) {
                next.push_back(child);
            }
        }
        parents = std::move(next);
    }
    lastName = path;
    return parents;
}

std::string shownPath(std::string_view path) {
    std::string shown(path);
    std::erase(shown, '*');
    return shown;
}

// The first of `sheet`'s values that the model of NRD `year` cannot read.
std::optional<UnreadValue> unreadOn(const Element& sheet, int year) {
    for (const CheckedValue& value : checkedValues()) {
        if (year < value.fromYear || year > value.toYear)
            continue;
        std::string_view name;
        for (const Element& parent : parentsOf(sheet, value.path, name)) {
            std::optional<std::string> text;
            try {
                text = valueOf(parent.findChild(name));
                if (!text && !value.required)
                    continue;
                convert(value.kind, text);
            } catch (const Error& e) {
                return UnreadValue{{}, shownPath(value.path), text, e.what()};
            }
        }
    }
    return std::nullopt;
}

std::string sheetNumber(const Element& sheet) {
    try {
        return sheet.findChild("NoAl").text();
    } catch (const Error&) {
        return {};  // a number with elements in it: the sheet is still named by its value
    }
}

std::optional<UnreadValue> firstUnread(const std::vector<Element>& sheets, int nrdIndex) {
    if (nrdIndex <= 0)
        return std::nullopt;  // no version, or NRD "2003", which has no model and reads nothing
    const int year = versionYear(nrdIndex);
    for (const Element& sheet : sheets) {
        if (std::optional<UnreadValue> unread = unreadOn(sheet, year)) {
            unread->sheet = sheetNumber(sheet);
            return unread;
        }
    }
    return std::nullopt;
}

std::optional<ReportMonth> monthOf(const Element& parent, std::string_view name) {
    try {
        const std::optional<std::string> text = valueOf(parent.findChild(name));
        if (!text)
            return std::nullopt;
        const common::DateParts date = common::decodeDateTime(common::DateFromSQL(*text));
        return ReportMonth{date.year, date.month};
    } catch (const Error&) {
        return std::nullopt;  // no date to go by; the sheet's reading tells what is wrong
    }
}

std::vector<Element> sheetsOf(const Element& root) {
    std::vector<Element> sheets;
    for (const Element& doctor : root.findChildren("Doctor")) {
        const std::vector<Element> own = doctor.findChildren("AmbList");
        sheets.insert(sheets.end(), own.begin(), own.end());
    }
    return sheets;
}

}  // namespace

bool VersionFit::fits() const {
    const bool dated = inForce.empty() || (inForce.size() == 1 && inForce.front() == chosen);
    return dated && !unread;
}

VersionFit checkVersion(const Element& root, int chosen) {
    VersionFit fit;
    fit.chosen = chosen;
    const std::vector<Element> sheets = sheetsOf(root);
    std::vector<std::optional<ReportMonth>> months;
    if (sheets.empty()) {
        months = {monthOf(root, "DateFrom"), monthOf(root, "DateTo")};
    } else {
        for (const Element& sheet : sheets)
            months.push_back(monthOf(sheet, "dataAl"));
    }
    for (const std::optional<ReportMonth>& month : months) {
        if (!month)
            continue;
        fit.firstMonth = fit.firstMonth ? std::min(*fit.firstMonth, *month) : *month;
        fit.lastMonth = fit.lastMonth ? std::max(*fit.lastMonth, *month) : *month;
        const int version = versionInForce(month->year).value_or(-1);
        if (std::find(fit.inForce.begin(), fit.inForce.end(), version) == fit.inForce.end())
            fit.inForce.push_back(version);
    }
    std::sort(fit.inForce.begin(), fit.inForce.end());

    fit.unread = firstUnread(sheets, chosen);
    if (fit.inForce.size() == 1 && fit.inForce.front() >= 0) {
        const int dated = fit.inForce.front();
        const std::optional<UnreadValue> unread =
            dated == chosen ? fit.unread : firstUnread(sheets, dated);
        if (dated != chosen)
            fit.unreadInForce = unread;
        if (dated != 0 && !unread)
            fit.clear = dated;
    }
    return fit;
}

VersionFit checkFileVersion(const std::string& fileName, int chosen) {
    const std::shared_ptr<const Document> document = Document::load(fileName);
    return checkVersion(document->existingRoot(), chosen);
}

}  // namespace kalvex::ereport
