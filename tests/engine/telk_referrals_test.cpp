// The TELK referral of a sheet: the patient's snapshot with its address names, the
// sheet's texts, when a sheet has none, and what the earlier NRD versions do.
#include <functional>
#include <string>

#include "engine_test.h"

namespace kalvex::engine {
namespace {

using testing::SheetInput;

constexpr const char* kReferred = "<Docs><TalonTELK>1</TalonTELK></Docs>";
constexpr const char* kLastReferral =
    "BLANKA_NAPR_TELK WHERE PREGLED_ID = (SELECT MAX(ID) FROM PREGLED)";

std::string repeat(const std::string& part, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += part;
    return out;
}

using Columns = std::vector<std::pair<const char*, const char*>>;

// The six address names, the permanent and the current address alike.
Columns address(const char* region, const char* municipality, const char* place) {
    return {{"PAC_PERM_OBLAST", region},         {"PAC_PERM_OBSHTINA", municipality},
            {"PAC_PERM_NAS_MQSTO", place},       {"PAC_CURR_OBLAST", region},
            {"PAC_CURR_OBSHTINA", municipality}, {"PAC_CURR_NAS_MQSTO", place}};
}

const Columns kNoAddress = address("Няма област", "Няма община", "Няма населено място");

class TelkReferralTest : public EngineTest {
  protected:
    // Makes the database refuse a referral whose anamnesis is `text`.
    void refuseAnamnesis(const std::string& text) {
        value("ALTER TABLE BLANKA_NAPR_TELK ADD CONSTRAINT CK_TEST_ANAMN CHECK (ANAMN <> '" + text +
              "')");
        dm.traMain.commitRetaining();
    }
};

TEST_F(TelkReferralTest, ReferralColumns2022) {
    struct Case {
        const char* what;
        std::function<void(SheetInput&)> sheet;
        Expected columns;
    } cases[] = {
        {"the patient and the sheet",
         [](SheetInput& s) {
             s.extra +=
                 "<Anamnesa>Оплаквания</Anamnesa><HState>Добро</HState>"
                 "<Examine>Без находка</Examine>";
         },
         {{"PAC_FNAME", "Иван"},
          {"PAC_SNAME", "Петров"},
          {"PAC_LNAME", "Стоянов"},
          {"PAC_EGN", "7501020018"},
          {"PAC_PERM_ULICA", "ул. Шипка 12"},
          {"PAC_CURR_ULICA", "ул. Шипка 12"},
          {"ANAMN", "Оплаквания"},
          {"SYST", "Добро"},
          {"IZSL", "Без находка"},
          {"MAIN_DIAG_MKB", "I10"},
          {"MAIN_DIAG_OPIS", "Есенциална хипертония"}}},
        {"no anamnesis", [](SheetInput&) {}, {{"ANAMN", ""}, {"SYST", ""}, {"IZSL", ""}}},
        {"texts cut by characters",
         [](SheetInput& s) {
             s.address = repeat("Ш", 60);
             s.extra += "<Examine>" + repeat("я", 1200) + "</Examine>";
         },
         {{"CHAR_LENGTH(PAC_PERM_ULICA)", "40"},
          {"CHAR_LENGTH(PAC_CURR_ULICA)", "40"},
          {"CHAR_LENGTH(IZSL)", "1000"}}},
    };
    const std::int32_t doctor = addDoctor("0400000001", 1);
    int n = 0;
    for (const Case& c : cases) {
        SheetInput sheet;
        sheet.noAl = std::to_string(++n);
        sheet.extra = kReferred;
        c.sheet(sheet);
        run(2022, withSheets({sheet}), under(doctor));
        expectColumns(std::string("FROM ") + kLastReferral, c.columns, c.what);
    }
}

TEST_F(TelkReferralTest, AddressNamesByRegionAndMunicipality) {
    struct Case {
        const char* rzok;
        const char* zdrRajon;
        Expected columns;
    } cases[] = {
        {"16", "09", address("Пловдив", "Пловдив", "Пловдив")},
        {"", "", address("София - град", "Столичен", "Столичен")},
        {"1", "0", address("Благоевград", "Благоевград", "Благоевград")},
        {"07", "10", address("Габрово", "", "")},
        {"29", "01", kNoAddress},
        {"0", "01", kNoAddress},
        {"16", "23", kNoAddress},
        {"16", "-1", kNoAddress},
    };
    const std::int32_t doctor = addDoctor("0400000001", 1);
    int n = 0;
    for (const Case& c : cases) {
        SheetInput sheet;
        sheet.noAl = std::to_string(++n);
        sheet.rzok = c.rzok;
        sheet.zdrRajon = c.zdrRajon;
        sheet.extra = kReferred;
        run(2022, withSheets({sheet}), under(doctor));
        expectColumns(std::string("FROM ") + kLastReferral, c.columns,
                      std::string("RZOK ") + c.rzok + ", ZdrRajon " + c.zdrRajon);
    }
}

TEST_F(TelkReferralTest, OnlyAReferredSheetHasAReferral) {
    struct Case {
        int year;
        const char* docs;
        std::int64_t rows;
    } cases[] = {
        {2022, "<Docs></Docs>", 0},
        {2022, "<Docs><TalonTELK>0</TalonTELK></Docs>", 0},
        {2022, "<Docs><TalonTELK>2</TalonTELK></Docs>", 1},
        {2005, kReferred, 0},
        {2006, kReferred, 1},
        {2009, kReferred, 1},
        {2021, kReferred, 1},
        // Earlier versions read the flag as the sheet's model does: "true" is referred.
        {2018, "<Docs><TalonTELK>true</TalonTELK></Docs>", 1},
        {2022, "<Docs><TalonTELK>true</TalonTELK></Docs>", 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        SheetInput sheet;
        sheet.noAl = std::to_string(++n);
        sheet.rzok = "16";
        sheet.zdrRajon = "09";
        sheet.extra = c.docs;
        run(c.year, withSheets({sheet}), under(addDoctor("04" + std::to_string(n), 1)));
        const std::string label = std::to_string(c.year) + c.docs;
        EXPECT_EQ(count(kLastReferral), c.rows) << label;
        if (c.rows == 1)
            expectColumns(std::string("FROM ") + kLastReferral,
                          address("Пловдив", "Пловдив", "Пловдив"), label);
    }
}

TEST_F(TelkReferralTest, ReferralAlreadyThereIsLogged) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    value(
        "INSERT INTO BLANKA_NAPR_TELK (PREGLED_ID, PAC_FNAME) "
        "VALUES (GEN_ID(GEN_PREGLED_ID, 0) + 1, 'Стар')");
    SheetInput sheet;
    sheet.extra = kReferred;
    run(2022, withSheets({sheet}), under(doctor));
    EXPECT_EQ(count("PREGLED"), 1);
    EXPECT_EQ(count(kLastReferral), 1);
    EXPECT_EQ(text(value(std::string("SELECT PAC_FNAME FROM ") + kLastReferral)), "Стар");
    EXPECT_EQ(log.back(), " ");
}

// A referral the database refuses stops an NRD 2022 run at its sheet; the earlier
// versions leave the referral out and write the rest of the sheet.
TEST_F(TelkReferralTest, RefusedReferral) {
    refuseAnamnesis("откажи");
    SheetInput sheet;
    sheet.extra = std::string(
        "<Anamnesa>откажи</Anamnesa><Docs><TalonTELK>1</TalonTELK>"
        "<LKK><NoLKK>7</NoLKK><TypeLKK>1</TypeLKK></LKK></Docs>");
    sheet.noAl = "1";
    EXPECT_THROW(run(2022, withSheets({sheet}), under(addDoctor("0401", 1))), Error);
    EXPECT_EQ(count("PREGLED"), 0);

    sheet.noAl = "2";
    run(2009, withSheets({sheet}), under(addDoctor("0402", 1)));
    EXPECT_EQ(count("PREGLED"), 1);
    EXPECT_EQ(count("BLANKA_NAPR_TELK"), 0);
    EXPECT_EQ(count("EXAM_LKK"), 1);
}

TEST_F(TelkReferralTest, SecondImportWritesNothing) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    SheetInput sheet;
    sheet.extra = kReferred;
    run(2022, withSheets({sheet}), under(doctor));
    run(2022, withSheets({sheet}), under(doctor));
    EXPECT_EQ(count("BLANKA_NAPR_TELK"), 1);
}

}  // namespace
}  // namespace kalvex::engine
