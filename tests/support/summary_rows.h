#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/database_state.h"

// The summary's "written" counts against the rows a run really added: what kalvex-import
// reports must be what the database holds.
namespace kalvex::testing {

struct SummaryKind {
    const char* key;                  // the summary JSON's
    std::vector<const char*> tables;  // whose rows it counts
};

inline const std::vector<SummaryKind>& summaryKinds() {
    static const std::vector<SummaryKind> kinds = {
        {"doctors", {"DOCTOR"}},
        {"patients", {"PACIENT"}},
        {"examinations", {"PREGLED"}},
        {"medical_referrals", {"BLANKA_MED_NAPR"}},
        {"diagnostic_referrals", {"BLANKA_MDN", "NZIS_MDN"}},
        {"analyses", {"EXAM_ANALYSIS"}},
        {"consultations", {"BLANKA_MED_NAPR_3A"}},
        {"commissions", {"EXAM_LKK"}},
        {"commission_members", {"EXAM_LKK_DOCTOR"}},
        {"telk_referrals", {"BLANKA_NAPR_TELK"}},
        {"hospitalisations", {"HOSPITALIZATION"}},
        {"immunisations", {"EXAM_IMMUNIZATION"}},
        {"prescriptions", {"FREE_RECIPE"}},
        {"sick_leaves", {"EXAM_BOLN_LIST"}},
    };
    return kinds;
}

// The number after `"<key>": {"<field>": ` in a summary JSON; -1 when it is not there.
inline std::int64_t summaryCount(const std::string& json, const std::string& key,
                                 const std::string& field = "written") {
    const std::string start = "\"" + key + "\": {\"" + field + "\": ";
    const std::size_t at = json.find(start);
    if (at == std::string::npos)
        return -1;
    return std::stoll(json.substr(at + start.size()));
}

inline std::int64_t rowsOf(const DatabaseState& state, const std::string& table) {
    for (const auto& [name, rows] : state.rows)
        if (name == table)
            return rows;
    return 0;
}

// Each kind whose "written" differs from its tables' added rows, as "kind: summary N,
// database M"; empty when the summary is true.
inline std::vector<std::string> writtenMismatches(const std::string& json,
                                                  const DatabaseState& before,
                                                  const DatabaseState& after) {
    std::vector<std::string> wrong;
    for (const SummaryKind& kind : summaryKinds()) {
        std::int64_t added = 0;
        for (const char* table : kind.tables)
            added += rowsOf(after, table) - rowsOf(before, table);
        const std::int64_t written = summaryCount(json, kind.key);
        if (written != added)
            wrong.push_back(std::string(kind.key) + ": summary " + std::to_string(written) +
                            ", database " + std::to_string(added));
    }
    return wrong;
}

}  // namespace kalvex::testing
