#pragma once

#include <span>
#include <string_view>

// The values of a sheet that the import reads as numbers, flags and dates, each with the
// kind that the models of the NRD versions give it: what the version check reads before
// an import. One table for every version; a value whose kind changed has a row per kind.
namespace kalvex::ereport {

enum class ValueKind {
    integer,     // a decimal integer in 32 bits
    boolean,     // "true", "false" or a number
    date,        // "yyyy-mm-dd"
    strictText,  // any text: only its absence counts
};

struct CheckedValue {
    // From the sheet ("AmbList"), element names joined by "/"; a name ending in "*"
    // stands for every element of that name, any other name for its first element.
    std::string_view path;
    ValueKind kind;
    int fromYear, toYear;  // the NRD versions whose model reads it so
    // The import stops where the value is missing or empty (its parent element being
    // there); any other value counts only where the file gives it a text.
    bool required = false;
};

std::span<const CheckedValue> checkedValues();

}  // namespace kalvex::ereport
