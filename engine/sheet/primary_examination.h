#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/conversions.h"
#include "common/error.h"
#include "engine/sheet/examination_lookup.h"
#include "engine/sheet/sheet_number.h"
#include "ereport/node_helpers.h"

// What the specialist rules share about the earlier examination a sheet names: the
// condition that finds that examination and the referral type a visit on a referral gets.
namespace kalvex::engine {

// `alias`'s sheet number equals the one bound as `:param`. Only NRD 2022's row keeps a
// national number apart (NRN); the earlier versions wrote every number to AMB_LISTN.
template <class V>
std::string sheetNumberIs(std::string_view alias, std::string_view param, std::string_view number) {
    const std::string prefix = alias.empty() ? "" : std::string(alias) + ".";
    if (V::year == 2022 && isNrn(number))
        return sameText(prefix + "NRN", param);
    return sameNumber(prefix + "AMB_LISTN", param);
}

// A sheet's "dateAmbL" as the date to look for, none when it is not a date.
inline std::optional<common::DateTime> lookupDate(std::string_view text) {
    try {
        return common::DateFromSQL(text);
    } catch (const Error&) {
        // No examination carries a date that is not one: the look-up finds nothing.
        return std::nullopt;
    }
}

// NAPR_TYPE_ID of a visit on a referral of "VidNapr" `vidNapr` for "NaprFor" `naprFor`.
// NRD 2005 had no table of types and keeps the reason itself.
template <class V>
std::int32_t referralType(std::int32_t vidNapr, std::int32_t naprFor) {
    if constexpr (V::year == 2005)
        return naprFor;
    else
        return MapNaprTypes(naprFor, vidNapr - 1);
}

}  // namespace kalvex::engine
