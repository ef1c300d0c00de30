#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/numbers.h"
#include "common/tokenizer.h"
#include "engine/statements/attachment_insert.h"
#include "engine/statements/column_values.h"
#include "engine/sheet/value_reads.h"
#include "ereport/element_list.h"

// What a medical referral and a referral for highly specialised activities read alike:
// the speciality they send to and the diagnosis codes they name.
namespace kalvex::engine {

// The code pairs a referral's statement has room for.
inline constexpr int kCodePairs = 3;

// Fills ICD_CODE / ICD_CODE_ADD, ICD_CODE2 / ICD_CODE2_ADD and ICD_CODE3 / ICD_CODE3_ADD
// from the first items of `codes`, each "main additional" split at the first blank; an
// empty part stays null. An earlier version's item that cannot be read leaves its own
// pair null. The texts of the items beyond the room, blank-separated, are returned so
// that the caller can name them.
template <class V>
std::string setCodePairs(ColumnValues& row, const ereport::TextList& codes) {
    common::TTokenizer tokenizer(common::blankSeparator());
    const auto setToken = [&](const std::string& param) {
        std::string token = tokenizer.GetNextToken();
        if (!token.empty())
            row.setText(param, std::move(token));
    };
    std::string leftOut;
    for (int i = 0; i < codes.GetCount(); ++i) {
        if (i < kCodePairs) {
            const std::string suffix = i == 0 ? "" : std::to_string(i + 1);
            readGroup<V>([&] {
                tokenizer.Init(codes.get_item(i));
                setToken("ICD_CODE" + suffix);
                setToken("ICD_CODE" + suffix + "_ADD");
            });
            continue;
        }
        std::string text;
        try {
            text = codes.get_item(i);
        } catch (const Error&) {
            // An empty item beyond the room has no code to name.
            continue;
        }
        leftOut += (leftOut.empty() ? "" : " ") + text;
    }
    return leftOut;
}

}  // namespace kalvex::engine
