#include "engine/statements/descriptive_columns.h"

#include <algorithm>
#include <array>

namespace kalvex::engine {

bool isDescriptiveColumn(std::string_view column) {
    static constexpr std::array<std::string_view, 28> kColumns = {
        // diagnoses and procedures in words
        "MAIN_DIAG_OPIS", "PR_ZAB1_OPIS", "PR_ZAB2_OPIS", "PR_ZAB3_OPIS", "PR_ZAB4_OPIS",
        "PROCEDURE1_OPIS", "PROCEDURE2_OPIS", "PROCEDURE3_OPIS", "PROCEDURE4_OPIS",
        "ICD_CODE_OPIS", "DIAGNOSES", "DIAGNOSIS", "DIRECT_DIAGNOSIS_1", "DIRECT_DIAGNOSIS_2",
        "NZIS_DESCRIPTION_CL22",
        // the examination's texts
        "ANAMN", "SYST", "IZSL", "TERAPY", "REASON", "ATTACHED_DOCS",
        // addresses
        "ULICA", "PAC_PERM_ULICA", "PAC_CURR_ULICA", "PATIENT_STREET", "PATIENT_CITY",
        // notes
        "NOTES", "BELEJKI"};
    return std::find(kColumns.begin(), kColumns.end(), column) != kColumns.end();
}

}  // namespace kalvex::engine
