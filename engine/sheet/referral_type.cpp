// The referral type of an examination: GetNaprType of every NRD version and
// MapNaprTypes.
#include <optional>
#include <string>

#include "common/conversions.h"
#include "common/error.h"
#include "common/numbers.h"
#include "engine/sheet/examination_lookup.h"
#include "engine/run/nrd_versions.h"
#include "engine/sheet/primary_examination.h"
#include "engine/sheet/sheet_number.h"
#include "engine/sheet/value_reads.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

using ereport::Element;

// Who a sheet is for, as the sheets of one e-report are compared.
struct PatientIdentity {
    std::string egn, given, sur, family;
    bool operator==(const PatientIdentity&) const = default;
};

PatientIdentity identityOf(const Element& sheet) {
    const Element patient = ereport::GetNode(sheet, "Patient");
    const Element name = ereport::GetNode(patient, "Name");
    return {ereport::ReadValue(patient, "EGN"), ereport::ReadValue(name, "Given"),
            ereport::ReadValue(name, "Sur"), ereport::ReadValue(name, "Family")};
}

// The primary examination's type in the database. NRD 2022 takes only a type above 0;
// the earlier versions any type found, 0 too.
template <class V>
std::optional<std::int32_t> typeInDatabase(RunContext<V>& run, const std::string& number,
                                           const std::string& date) {
    const auto day = lookupDate(date);
    if (number.empty() || !day)
        return std::nullopt;  // names no examination that could be found
    const PatientIdentity patient = identityOf(run.CurrentAmbList);
    // The patient by the key of its personal number, then that patient's examinations by
    // theirs: the outer join keeps the optimiser from reading every examination first
    // (its conditions in WHERE leave only the rows an inner join gives). The first row in
    // the order the examinations were written, as the scan of the table gave it.
    const common::Variant type = run.dm.SqlToValue(
        "SELECT FIRST 1 v.NAPR_TYPE_ID FROM PACIENT p LEFT JOIN PREGLED v ON v.PACIENT_ID = p.ID"
        " WHERE " +
            sameText("p.EGN", "EGN") + " AND " + sameText("p.FNAME", "GIVEN") + " AND " +
            sameText("p.SNAME", "SUR") + " AND " + sameText("p.LNAME", "FAMILY") + " AND " +
            sheetNumberIs<V>("v", "NO", number) + " AND v.START_DATE = :DAY ORDER BY v.ID",
        {{"EGN", patient.egn},
         {"GIVEN", patient.given},
         {"SUR", patient.sur},
         {"FAMILY", patient.family},
         {"NO", number},
         {"DAY", *day}});
    if (common::isNull(type))
        return std::nullopt;
    const auto found = static_cast<std::int32_t>(std::get<std::int64_t>(type));
    if (V::year == 2022 && found <= 0)
        return std::nullopt;
    return found;
}

// The type a sheet of this e-report gets as a visit on a referral, none when its
// referral's kind or reason cannot be read. Read without adding elements to the sheet,
// which is yet to be imported.
template <class V>
std::optional<std::int32_t> referralTypeOf(const Element& sheet) {
    const Element primary = ereport::GetNode(ereport::GetNode(sheet, "SIMPList"), "PrimaryVisit");
    if (!ereport::NodeExsist(primary, "VidNapr") || !ereport::NodeExsist(primary, "NaprFor"))
        return std::nullopt;
    try {
        return referralType<V>(TypedReads::integer(primary, "VidNapr"),
                               TypedReads::integer(primary, "NaprFor"));
    } catch (const Error&) {
        // A kind or reason that is not a number: this sheet tells no type.
        return std::nullopt;
    }
}

// The primary examination among the reporting doctor's sheets of this e-report, when it
// is dated after the period's first day: the type it gets as a visit on a referral, so
// that a visit gets the same type whichever of its sheets is imported first. The last
// matching sheet decides; one whose type cannot be read gives 0.
template <class V>
std::optional<std::int32_t> typeInReport(RunContext<V>& run, const std::string& number,
                                         const std::string& date) {
    if (!(common::DateFromSQL(run.report.practice.DateFrom()) < common::DateFromSQL(date)))
        return std::nullopt;
    const PatientIdentity patient = identityOf(run.CurrentAmbList);
    std::int32_t type = 0;
    bool counted = false;
    const auto sheets = run.CurrentDoctor.AmbList();
    for (int i = 0; i < sheets.GetCount(); ++i) {
        const auto sheet = sheets.get_item(i);
        if (ereport::ReadValue(sheet, "NoAl") != number ||
            ereport::ReadValue(sheet, "dataAl") != date || identityOf(sheet) != patient)
            continue;
        const std::optional<std::int32_t> own = referralTypeOf<V>(sheet);
        type = own.value_or(0);
        counted = counted || own.has_value();
    }
    return counted ? std::optional(type) : std::nullopt;
}

// A "Profilact" flag. The earlier versions read these under a handler of their own.
template <class V>
bool preventiveFlag(const Element& profilact, std::string_view name) {
    if constexpr (V::year == 2022) {
        return NodeReads::flag(profilact, name);
    } else {
        try {
            return TypedReads::flag(profilact, name);
        } catch (const Error&) {
            // Unreadable: no such prevention, as those versions had it.
            return false;
        }
    }
}

double ageInYears(const std::string& egn, const std::string& onDate) {
    return (common::DateFromSQL(onDate).value - common::EgnToBirthDate(egn).value) / 365.25;
}

// The type by the reason of the visit, later reasons overriding earlier ones.
template <class V>
std::int32_t typeByReason(RunContext<V>& run) {
    using R = ReadsOf<V>;
    const auto& sheet = run.CurrentAmbList;
    const Element visitFor = sheet.VisitFor();
    const std::int32_t speciality = common::StrToInt(run.CurrentDoctor.SIMPCode());
    std::int32_t type = 0;
    if (R::flag(visitFor, "Disp"))
        type = speciality == 17 && ageInYears(sheet.Patient().EGN(), sheet.DataAl()) < 6 ? 8 : 3;
    if (R::flag(visitFor, "Consult"))
        type = 1;
    const Element profilact = ereport::GetNode(visitFor, "Profilact");
    if (preventiveFlag<V>(profilact, "Child"))
        type = 6;
    if (preventiveFlag<V>(profilact, "Mother"))
        type = 5;
    if (speciality == 23)
        type = 7;
    return type;
}

struct ReasonType {
    std::int32_t reason, type;
};

template <std::size_t N>
std::int32_t typeFor(const ReasonType (&table)[N], std::int32_t reason) {
    for (const ReasonType& row : table)
        if (row.reason == reason)
            return row.type;
    return -1;
}

}  // namespace

template <class V>
std::int32_t GetNaprType(RunContext<V>& run) {
    const auto secondary = run.CurrentAmbList.SIMPList().SecondaryVisit();
    const std::string number = secondary.NoAmbL();
    // The earlier versions ask only for a sheet that names its primary examination.
    if (V::year < 2022 || !number.empty()) {
        const std::string date = secondary.DateAmbL();
        if (const auto type = typeInDatabase(run, number, date))
            return *type;
        if (const auto type = typeInReport(run, number, date))
            return *type;
    }
    return typeByReason(run);
}

std::int32_t MapNaprTypes(std::int32_t reason, std::int32_t kind) {
    static constexpr ReasonType kind0[] = {{1, 1}, {2, 2}, {3, 3},  {4, 4},  {5, 5},
                                           {7, 6}, {9, 7}, {10, 8}, {11, 9}, {12, 10}};
    static constexpr ReasonType kind1[] = {{1, 1}, {2, 2}, {4, 3}, {6, 4}, {7, 5}, {13, 6}};
    switch (kind) {
        case 0:
            return typeFor(kind0, reason);
        case 1:
            return typeFor(kind1, reason);
        case 2:
            return reason > 60 ? reason - 60 : reason;
        default:
            return -1;
    }
}

#define KALVEX_INSTANTIATE(V) template std::int32_t GetNaprType<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
