// A national e-referral for tests of NRD 2018 and 2021: the NZIS_MDN row, whose tests
// and symptoms are flags summed into one number each.
#include <string_view>
#include <utility>

#include "engine/statements/attachment_insert.h"
#include "engine/documents/diagnostic_referrals.h"

namespace kalvex::engine::mdd {
namespace {

constexpr std::pair<std::string_view, std::int32_t> kTestFlags[] = {
    {"01.01", 1}, {"01.03", 2}, {"01.38", 4}, {"01.40", 8}, {"06.30", 16}, {"10.64", 32}};

// The symptoms as the sheet's state names them, case as written.
constexpr std::pair<std::string_view, std::int32_t> kSymptomFlags[] = {
    {"температура", 1},
    {"кашлица", 2},
    {"отпадналост", 4},
    {"загуба на вкус", 8},
    {"затруднено дишане", 16},
    {"миалгия", 32},
    {"главоболие", 64},
    {"диария", 128},
    {"гадене и повръщане", 256},
    {"гърлобол", 512},
    {"кислородно насищане по-малко", 1024}};

// NRD 2021 marks the row as sent (NZIS_STATUS 1). The key is drawn in the insert itself.
InsertStatement nationalInsert(bool withStatus) {
    InsertStatement insert;
    insert.table = "NZIS_MDN";
    insert.sql = std::string(
                     "INSERT INTO NZIS_MDN (ID, PATIENT_ID, DOCTOR_ID, PREGLED_ID, "
                     "VIRTUAL_PREGLED_ID, ZAM_UIN, MKB, MKB_ADD, DATE_CREATED, NRN, "
                     "NZIS_CATEGORY, NZIS_TYPE, TIME_SENDED_NZIS, ANALS, SIMPTOMI") +
                 (withStatus ? ", NZIS_STATUS) " : ") ") +
                 "\nVALUES ((select coalesce( max( id), 0) + 1 from nzis_mdn),:PATIENT_ID, "
                 ":DOCTOR_ID, :PREGLED_ID, :VIRTUAL_PREGLED_ID,:ZAM_UIN, :MKB, :MKB_ADD, "
                 ":DATE_CREATED, :NRN, 'R1', 1, :TIME_SENDED_NZIS, :ANALS, :SIMP" +
                 (withStatus ? ", 1)" : ")");
    insert.params = {
        "PATIENT_ID", "DOCTOR_ID",    "PREGLED_ID", "VIRTUAL_PREGLED_ID", "ZAM_UIN", "MKB",
        "MKB_ADD",    "DATE_CREATED", "NRN",        "TIME_SENDED_NZIS",   "ANALS",   "SIMP"};
    return insert;
}

std::int32_t testFlags(const std::vector<std::string>& tests) {
    std::int32_t sum = 0;
    for (const std::string& test : tests)
        for (const auto& [code, flag] : kTestFlags)
            if (test == code)
                sum += flag;
    return sum;
}

std::int32_t symptomFlags(std::string_view hState) {
    std::int32_t sum = 0;
    for (const auto& [phrase, flag] : kSymptomFlags)
        if (hState.find(phrase) != std::string_view::npos)
            sum += flag;
    return sum;
}

}  // namespace

void ImportNationalMdn(RunState& run, const Sheet& sheet, const NationalReferral& referral) {
    static const InsertStatement inserts[] = {nationalInsert(false), nationalInsert(true)};
    std::string uin;
    run.dm.ReadSqlValue("select doc.uin from doctor doc where doc.id = :ID", uin,
                        {{"ID", std::int64_t{run.CurrentDoctorID}}});
    ColumnValues row;
    row.setInt("PATIENT_ID", run.CurrentPatientID);
    row.setInt("DOCTOR_ID", run.CurrentDoctorID);
    row.setInt("PREGLED_ID", run.CurrentPregledID);
    row.setText("ZAM_UIN", uin);
    row.setText("MKB", referral.mainCode);
    row.set("DATE_CREATED", sheet.date);
    row.set("TIME_SENDED_NZIS", sheet.date);
    row.setText("NRN", referral.noMDD);
    row.setInt("ANALS", testFlags(referral.tests));
    row.setInt("SIMP", symptomFlags(referral.hState));
    insertAttachment(run, run.dm.qryMDD, inserts[referral.withStatus ? 1 : 0], row,
                     duplicateReferralLine(sheet), RowKind::diagnosticReferral);

    // The practice program draws the next key from the generator: bring it up to the
    // keys the insert drew itself.
    std::int32_t last = 0;
    run.dm.ReadSqlValue("select coalesce( max( id), 0) from nzis_mdn", last);
    run.dm.SqlToValue(
        "SELECT GEN_ID(GEN_NZIS_MDN, CAST(:LAST AS BIGINT) - GEN_ID(GEN_NZIS_MDN, 0)) "
        "FROM RDB$DATABASE",
        {{"LAST", std::int64_t{last}}});
}

}  // namespace kalvex::engine::mdd
