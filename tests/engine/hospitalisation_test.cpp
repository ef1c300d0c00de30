// The hospitalisation referral of a sheet: its columns per NRD version, the date it falls
// back to, codes beyond the row's room, and a referral already in the database.
#include "engine_test.h"

#include "common/error.h"

namespace kalvex::engine {
namespace {

using testing::SheetInput;

// The referral rows of the sheet imported last.
const std::string kLatest = "HOSPITALIZATION WHERE PREGLED_ID = (SELECT MAX(ID) FROM PREGLED)";

using Columns = std::vector<std::pair<const char*, const char*>>;

struct Case {
    const char* what;
    int year;
    std::string docs;  // children of "Docs"
    Columns columns;   // empty: the sheet has no referral row
    std::string logLine = {};
};

class HospitalisationTest : public EngineTest {
  protected:
    void check(const Case& c, int& n) {
        SheetInput sheet;
        sheet.noAl = std::to_string(++n);
        sheet.extra = "<Docs>" + c.docs + "</Docs>";
        log.clear();
        run(c.year, withSheets({sheet}), under(doctor));
        ASSERT_EQ(count("PREGLED WHERE ID = (SELECT MAX(ID) FROM PREGLED) AND AMB_LISTN = '" +
                        sheet.noAl + "'"),
                  1)
            << c.what << ": the sheet itself";
        EXPECT_EQ(count(kLatest), c.columns.empty() ? 0 : 1) << c.what;
        if (!c.columns.empty())
            expectColumns("FROM " + kLatest, c.columns, c.what);
        if (!c.logLine.empty()) {
            EXPECT_NE(std::find(log.begin(), log.end(), c.logLine), log.end()) << c.what;
        }
    }
    std::int32_t doctor = 0;
};

TEST_F(HospitalisationTest, Nrd2022ReferralColumns) {
    const Case cases[] = {
        {"referral number, two codes",
         2022,
         "<HospNapr><Hosp><PathNum>120</PathNum><NaprNo>17</NaprNo><DateNapr>2023-04-05</DateNapr>"
         "<HospMKB>C50.1 C77.3</HospMKB><HospMKB>D10</HospMKB><NRN>X1</NRN>"
         "<NzisStatus>5</NzisStatus></Hosp></HospNapr>",
         {{"DIRECTED_BY", "1"},
          {"HAS_NHIF_CONTRACT", "Y"},
          {"NUMBER", "17"},
          {"DIRECT_MKB_1", "C50.1"},
          {"DIRECT_MKB_1_ADD", "C77.3"},
          {"DIRECT_MKB_2", "D10"},
          {"DIRECT_MKB_2_ADD", ""},
          {"DIRECT_DIAGNOSIS_1", "NULL"},
          {"DIRECT_DIAGNOSIS_2", "NULL"},
          {"DIRECT_DATE", "2023-04-05"},
          {"CLINICAL_PATH", "120"},
          {"ICD_AREA", "NULL"},
          {"IS_MZ", "N"},
          {"NRN", "X1"},
          {"NZIS_STATUS", "5"}}},
        // The previous sheet's second code does not carry over.
        {"national number, one code, no date",
         2022,
         "<HospNapr><Hosp><PathNum>38.1</PathNum><NaprNo>23049H000007</NaprNo>"
         "<HospMKB>K35</HospMKB><NRN>other</NRN><NzisStatus>5</NzisStatus></Hosp></HospNapr>",
         {{"NUMBER", "NULL"},
          {"NRN", "23049H000007"},
          {"NZIS_STATUS", "3"},
          {"DIRECT_DATE", "2023-04-07"},
          {"DIRECT_MKB_1", "K35"},
          {"DIRECT_MKB_1_ADD", ""},
          {"DIRECT_MKB_2", "NULL"},
          {"DIRECT_MKB_2_ADD", "NULL"}}},
        {"empty date, no register data",
         2022,
         "<HospNapr><Hosp><PathNum>7</PathNum><NaprNo>0009</NaprNo><DateNapr></DateNapr>"
         "</Hosp></HospNapr>",
         {{"NUMBER", "9"},
          {"DIRECT_DATE", "2023-04-07"},
          {"NRN", ""},
          {"NZIS_STATUS", "0"},
          {"DIRECT_MKB_1", "NULL"}}},
        {"no referral number",
         2022,
         "<HospNapr><Hosp><PathNum>7</PathNum></Hosp></HospNapr>",
         {{"NUMBER", "NULL"}, {"NRN", ""}, {"CLINICAL_PATH", "7"}}},
        {"third code is logged, not a stopped run",
         2022,
         "<HospNapr><Hosp><PathNum>7</PathNum><NaprNo>3</NaprNo><HospMKB>A01</HospMKB>"
         "<HospMKB>A02 B03</HospMKB><HospMKB>A04 B05</HospMKB><HospMKB>A06</HospMKB></Hosp>"
         "</HospNapr>",
         {{"DIRECT_MKB_1", "A01"}, {"DIRECT_MKB_2", "A02"}, {"DIRECT_MKB_2_ADD", "B03"}},
         "АЛ 5: записани са първите 2 диагнози на направлението за хоспитализация, не са "
         "записани: A04 B05, A06"},
        {"empty clinical path",
         2022,
         "<HospNapr><Hosp><PathNum></PathNum><NaprNo>3</NaprNo></Hosp></HospNapr>",
         {}},
        {"clinical and ambulatory procedure referrals",
         2022,
         "<HospNapr><Cpr><CprNum>5</CprNum><NaprNo>3</NaprNo></Cpr><Apr><AprNum>6</AprNum>"
         "</Apr></HospNapr>",
         {}},
    };
    doctor = addDoctor("0400000001", 1);
    int n = 0;
    for (const Case& c : cases)
        check(c, n);
}

TEST_F(HospitalisationTest, EarlierVersionsReferralColumns) {
    const Case cases[] = {
        {"2006 flag: the main diagnosis on the sheet's date",
         2006,
         "<Hospitaliz>1</Hospitaliz>",
         {{"DIRECTED_BY", "1"},
          {"HAS_NHIF_CONTRACT", "Y"},
          {"DIRECT_MKB_1", "I10"},
          {"DIRECT_DIAGNOSIS_1", "Есенциална хипертония"},
          {"DIRECT_DATE", "2023-04-07"},
          {"CLINICAL_PATH", "NULL"},
          {"NUMBER", "NULL"},
          {"IS_MZ", "NULL"}}},
        {"2008 flag off", 2008, "<Hospitaliz>0</Hospitaliz>", {}},
        // An unreadable flag is ignored, and the sheet still imported.
        {"2008 flag no number", 2008, "<Hospitaliz>да</Hospitaliz>", {}},
        {"2005 has no referral", 2005, "<Hospitaliz>1</Hospitaliz>", {}},
        {"2009 referral in HospNapr, bad date, unreadable second code",
         2009,
         "<HospNapr><PathNum>120</PathNum><DateNapr>2023-13-45</DateNapr><HospMKB>A01</HospMKB>"
         "<HospMKB></HospMKB></HospNapr>",
         {{"CLINICAL_PATH", "120"},
          {"DIRECT_DATE", "2023-04-07"},
          {"DIRECT_DIAGNOSIS_1", "NULL"},
          {"DIRECT_MKB_1", "A01"},
          {"DIRECT_MKB_1_ADD", "NULL"},
          {"DIRECT_MKB_2", "NULL"},
          {"DIRECT_MKB_2_ADD", "NULL"},
          {"NUMBER", "NULL"},
          {"NRN", "NULL"}}},
        {"2015 third code logged",
         2015,
         "<HospNapr><PathNum>5</PathNum><DateNapr>2023-04-02</DateNapr><HospMKB>A01 B01</HospMKB>"
         "<HospMKB>A02</HospMKB><HospMKB>A03</HospMKB></HospNapr>",
         {{"DIRECT_DATE", "2023-04-02"}, {"DIRECT_MKB_1_ADD", "B01"}, {"DIRECT_MKB_2", "A02"}},
         "АЛ 6: записани са първите 2 диагнози на направлението за хоспитализация, не са "
         "записани: A03"},
        {"2018 referral in Hosp, numbered",
         2018,
         "<HospNapr><Hosp><PathNum>120</PathNum><NaprNo>000042</NaprNo><DateNapr>2023-04-01"
         "</DateNapr></Hosp></HospNapr>",
         {{"NUMBER", "42"},
          {"CLINICAL_PATH", "120"},
          {"DIRECT_DATE", "2023-04-01"},
          {"NZIS_STATUS", "NULL"}}},
        {"2021 referral directly in HospNapr is not read",
         2021,
         "<HospNapr><PathNum>120</PathNum><NaprNo>4</NaprNo></HospNapr>",
         {}},
    };
    doctor = addDoctor("0400000001", 1);
    int n = 0;
    for (const Case& c : cases)
        check(c, n);
}

TEST_F(HospitalisationTest, ReferralNumberThatIsNoNumberStopsTheSheet) {
    struct Stop {
        int year;
        const char* number;
        const char* message;  // within the error's text
    } stops[] = {
        {2021, "4a", "'4a' is not a valid integer value"},
        {2022, "4a", "conversion error from string \"4a\""},
    };
    for (const Stop& s : stops) {
        SheetInput sheet;
        sheet.extra = std::string("<Docs><HospNapr><Hosp><PathNum>1</PathNum><NaprNo>") + s.number +
                      "</NaprNo></Hosp></HospNapr></Docs>";
        try {
            run(s.year, withSheets({sheet}), under(addDoctor("04" + std::to_string(s.year), 1)));
            ADD_FAILURE() << s.year << ": no error";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(s.message), std::string::npos)
                << s.year << ": " << e.what();
        }
        EXPECT_EQ(count("PREGLED"), 0) << s.year;
        EXPECT_EQ(count("HOSPITALIZATION"), 0) << s.year;
    }
}

// A referral the examination already has is logged with a blank line and not written
// again; a second import of the file writes nothing new.
TEST_F(HospitalisationTest, ReferralAlreadyThereIsLoggedAndSecondImportWritesNothing) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    value(
        "INSERT INTO HOSPITALIZATION (PREGLED_ID, CLINICAL_PATH) "
        "SELECT GEN_ID(GEN_PREGLED_ID, 0) + 1, '99' FROM RDB$DATABASE");
    SheetInput sheet;
    sheet.extra =
        "<Docs><HospNapr><Hosp><PathNum>120</PathNum><NaprNo>17</NaprNo></Hosp>"
        "</HospNapr></Docs>";
    SheetInput other = sheet;
    other.noAl = "000413";
    const auto report = withSheets({sheet, other});

    const ImportCounts first = run(2022, report, under(doctor));
    EXPECT_EQ(first[RowKind::hospitalisation].existing, 1);
    EXPECT_EQ(first[RowKind::hospitalisation].written, 1);
    EXPECT_NE(std::find(log.begin(), log.end(), " "), log.end());
    EXPECT_EQ(count("HOSPITALIZATION"), 2);
    EXPECT_EQ(count("HOSPITALIZATION WHERE CLINICAL_PATH = '99'"), 1);

    const ImportCounts again = run(2022, report, under(doctor));
    EXPECT_EQ(again[RowKind::hospitalisation].written, 0);
    EXPECT_EQ(count("HOSPITALIZATION"), 2);
}

}  // namespace
}  // namespace kalvex::engine
