// The examination row's columns, per NRD version and database edition: the versions
// differ only in which columns their statement has.
#include "engine/statements/sheet_statement.h"

#include <map>
#include <utility>
#include <vector>

namespace kalvex::engine {
namespace {

InsertStatement build(int year, bool specialist) {
    std::vector<InsertColumn> c;
    const auto add = [&c](std::initializer_list<const char*> names) {
        for (const char* name : names)
            c.emplace_back(name);
    };
    add({"PACIENT_ID",         "DOCTOR_ID",         "START_DATE",        "START_TIME",
         "AMB_LISTN",          "IS_DISPANSERY",     "IS_NO_DELAY",       "IS_EMERGENCY",
         "IS_ZAMESTVASHT",     "IS_NAET",           "IS_PREVENTIVE",     "IS_CONSULTATION",
         "IS_ANALYSIS",        "IS_MANIPULATION",   "IS_NOTIFICATION",   "IS_EPIKRIZA",
         "IS_HOSPITALIZATION", "IS_REHABILITATION", "IS_PODVIZHNO_LZ",   "TALON_LKK",
         "MAIN_DIAG_MKB",      "MAIN_DIAG_OPIS",    "MAIN_DIAG_MKB_ADD", "MEDTRANSKM",
         "PR_ZAB1_MKB",        "PR_ZAB1_OPIS",      "PR_ZAB2_MKB",       "PR_ZAB2_OPIS",
         "PR_ZAB3_MKB",        "PR_ZAB3_OPIS",      "PR_ZAB4_MKB",       "PR_ZAB4_OPIS",
         "PROCEDURE1_MKB",     "PROCEDURE1_OPIS",   "PROCEDURE2_MKB",    "IS_RECEPTA_HOSPIT",
         "PROCEDURE2_OPIS",    "PROCEDURE3_MKB",    "PROCEDURE3_OPIS"});
    if (procedureColumns(year) == 4)
        add({"PROCEDURE4_MKB", "PROCEDURE4_OPIS"});
    add({"ANAMN", "SYST", "IZSL", "TERAPY", "PREVENTIVE_TYPE", "GS", "IS_VSD", "VSD_TYPE"});
    if (specialist) {
        add({"SIMP_NAPR_N", "SIMP_PRIMARY_AMBLIST_N", "SIMP_PRIMARY_AMBLIST_DATE",
             "VISIT_TYPE_ID"});
        if (year > 2005)
            add({"PROCEDURE1_ID", "PROCEDURE2_ID", "PROCEDURE3_ID", "PROCEDURE4_ID"});
        add({"NAPR_TYPE_ID", "SIMP_FORM_DATE", "SIMP_PRAKTIKA", "SIMP_UIN", "SIMP_SPECIALITY_CODE",
             "SIMP_IS_ZAMESTVASHT", "SIMP_IS_NAET", "SIMP_UIN_ZAMESTVASHT"});
        if (year > 2005)
            add({"REH_PROC1", "REH_PROC2", "REH_PROC3", "REH_PROC4", "REH_FINISHED_AT"});
    } else {
        add({"AMB_JOURNALN"});
    }
    add({"RECKNNO", "AMB_PR", "DOM_PR", "NRD", "IS_TELK", "IS_EXPERTIZA", "PR_ZAB1_MKB_ADD",
         "PR_ZAB2_MKB_ADD", "PR_ZAB3_MKB_ADD"});
    if (year == 2022)
        add({"PR_ZAB4_MKB_ADD"});
    add({"IS_OPERATION", "IS_FORM_VALID"});
    if (year >= 2006)
        add({"IS_NAPR_TELK", "IS_RISK_GROUP"});
    if (year >= 2009)
        add({"PAY", "INCIDENTALLY", "IS_REGISTRATION"});
    if (year >= 2018)
        c.emplace_back("IS_MEDBELEJKA", "ISMEDBEL");
    if (year == 2022)
        add({"PATIENTOF_NEOTL", "PATIENTOF_NEOTLID", "NRN", "NZIS_STATUS", "COPIED_FROM_NRN",
             "IS_BABY_CARE", "SIMP_NAPR_NRN", "SIMP_PRIMARY_AMBLIST_NRN"});
    return buildInsert("PREGLED", c);
}

}  // namespace

const InsertStatement& sheetInsert(int year, bool specialist) {
    static std::map<std::pair<int, bool>, InsertStatement> built;
    auto found = built.find({year, specialist});
    if (found == built.end())
        found = built.emplace(std::pair{year, specialist}, build(year, specialist)).first;
    return found->second;
}

}  // namespace kalvex::engine
