#include <gtest/gtest.h>

#include <string>

#include "database_test.h"
#include "db/database_error.h"

namespace kalvex::db {
namespace {

using SchemaTest = DatabaseTest;

// Each written table turns away a second row with the same natural key with the phrase
// that the importers look for, and gives a row its ID when the insert names none.
TEST_F(SchemaTest, SecondRowWithTheSameKeyIsADuplicate) {
    const struct {
        const char* table;
        const char* insert;
    } cases[] = {
        {"DOCTOR", "INSERT INTO DOCTOR (UIN, FNAME) VALUES ('1', 'А')"},
        {"PACIENT", "INSERT INTO PACIENT (EGN, PID_TYPE) VALUES ('0021010008', 'E')"},
        {"PREGLED",
         "INSERT INTO PREGLED (PACIENT_ID, DOCTOR_ID, START_DATE, AMB_LISTN) "
         "VALUES (1, 1, '2022-05-31', '412')"},
        {"BLANKA_MED_NAPR", "INSERT INTO BLANKA_MED_NAPR (PREGLED_ID, NUMBER) VALUES (1, 5)"},
        {"BLANKA_MDN", "INSERT INTO BLANKA_MDN (PREGLED_ID, NUMBER) VALUES (1, 5)"},
        {"NZIS_MDN",
         "INSERT INTO NZIS_MDN (ID, PREGLED_ID, NRN) "
         "VALUES ((SELECT COALESCE(MAX(ID), 0) + 1 FROM NZIS_MDN), 1, '22100A000001')"},
        {"EXAM_ANALYSIS",
         "INSERT INTO EXAM_ANALYSIS (PREGLED_ID, ANALYSIS_ID, BLANKA_MDN_ID) VALUES (1, 2, 3)"},
        {"BLANKA_MED_NAPR_3A",
         "INSERT INTO BLANKA_MED_NAPR_3A (PREGLED_ID, NUMBER, SPECIALITY_ID) VALUES (1, '7', 3)"},
        {"EXAM_LKK", "INSERT INTO EXAM_LKK (NUMBER, PREGLED_ID) VALUES ('3', 1)"},
        {"EXAM_LKK_DOCTOR",
         "INSERT INTO EXAM_LKK_DOCTOR (EXAM_LKK_ID, SPECIALITY_ID) VALUES (1, 3)"},
        {"BLANKA_NAPR_TELK", "INSERT INTO BLANKA_NAPR_TELK (PREGLED_ID) VALUES (1)"},
        {"HOSPITALIZATION",
         "INSERT INTO HOSPITALIZATION (PREGLED_ID, CLINICAL_PATH) VALUES (1, '38.1')"},
        {"EXAM_IMMUNIZATION",
         "INSERT INTO EXAM_IMMUNIZATION (PREGLED_ID, IMMUNIZATION_ID) VALUES (1, 2)"},
        {"FREE_RECIPE",
         "INSERT INTO FREE_RECIPE (PREGLED_ID, FORM_NUMBER, LEK1_KOD) VALUES (1, 100, 'A0001')"},
        {"EXAM_BOLN_LIST",
         "INSERT INTO EXAM_BOLN_LIST (PREGLED_ID, EL_NUMBER) VALUES (1, 'Е2022001')"},
        {"EXAM_BOLN_LIST", "INSERT INTO EXAM_BOLN_LIST (PREGLED_ID, NUMBER) VALUES (1, 77)"},
    };
    for (const auto& c : cases) {
        dm.SqlToValue(c.insert);
        try {
            dm.SqlToValue(c.insert);
            ADD_FAILURE() << c.table << ": second row accepted";
        } catch (const DatabaseError& e) {
            EXPECT_TRUE(isDuplicateKey(e.what())) << c.table << ": " << e.what();
        }
        const auto ids =
            dm.SqlToValue(std::string("SELECT COUNT(*) FROM ") + c.table + " WHERE ID IS NOT NULL");
        EXPECT_GE(std::get<std::int64_t>(ids), 1) << c.table;
    }
}

TEST_F(SchemaTest, SheetsAreToldApartByNationalNumber) {
    const char* insert =
        "INSERT INTO PREGLED (PACIENT_ID, DOCTOR_ID, START_DATE, AMB_LISTN, NRN) "
        "VALUES (1, 1, '2022-05-31', '0', :NRN)";
    dm.SqlToValue(insert, {{"NRN", "22151F000001"}});
    dm.SqlToValue(insert, {{"NRN", "22151F000002"}});
    dm.SqlToValue(insert, {{"NRN", common::Null}});
    EXPECT_THROW(dm.SqlToValue(insert, {{"NRN", common::Null}}), DatabaseError);
    EXPECT_EQ(count(dm, "PREGLED"), 3);
}

}  // namespace
}  // namespace kalvex::db
