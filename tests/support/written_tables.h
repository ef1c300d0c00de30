#pragma once

#include <string>
#include <vector>

// The tables an import writes, and the NRD versions whose sheet of every document
// (sample_documents.h) puts at least one row into each.
namespace kalvex::testing {

struct WrittenTable {
    const char* table;
    int from;  // first NRD version that writes it
    int to;    // last one
};

inline const std::vector<WrittenTable>& writtenTables() {
    static const std::vector<WrittenTable> tables = {
        {"PACIENT", 2005, 2022},
        {"PREGLED", 2005, 2022},
        {"EXAM_IMMUNIZATION", 2005, 2022},
        // NRD 2005 keeps no prescription.
        {"FREE_RECIPE", 2006, 2022},
        {"EXAM_BOLN_LIST", 2005, 2022},
        {"BLANKA_MED_NAPR", 2005, 2022},
        {"BLANKA_MDN", 2005, 2022},
        {"EXAM_ANALYSIS", 2005, 2022},
        // Only the national referrals of NRD 2018 and 2021 go there.
        {"NZIS_MDN", 2018, 2021},
        {"HOSPITALIZATION", 2006, 2022},
        {"BLANKA_NAPR_TELK", 2006, 2022},
        {"EXAM_LKK", 2005, 2022},
        {"EXAM_LKK_DOCTOR", 2006, 2022},
        {"BLANKA_MED_NAPR_3A", 2005, 2022},
    };
    return tables;
}

inline std::vector<std::string> tablesWrittenBy(int year) {
    std::vector<std::string> names;
    for (const WrittenTable& t : writtenTables())
        if (t.from <= year && year <= t.to)
            names.emplace_back(t.table);
    return names;
}

}  // namespace kalvex::testing
