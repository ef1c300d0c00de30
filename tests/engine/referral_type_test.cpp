// The referral type of a specialist's examination: the table of a visit on a referral,
// the primary examination's type from the database or the same e-report, and the type
// by the reason of the visit.
#include "edition_s_fixture.h"
#include "engine/sheet/examination_lookup.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

using testing::SheetInput;

TEST(MapNaprTypes, GivesTheTypeOfAKindAndReasonAndMinusOneForAPairWithout) {
    struct Case {
        std::int32_t kind, reason, expected;
    };
    const Case cases[] = {
        {0, 1, 1},   {0, 5, 5},   {0, 6, -1}, {0, 7, 6},   {0, 8, -1}, {0, 12, 10},
        {0, 13, -1}, {1, 3, -1},  {1, 4, 3},  {1, 13, 6},  {2, 0, 0},  {2, 60, 60},
        {2, 61, 1},  {2, 75, 15}, {3, 1, -1}, {-1, 1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MapNaprTypes(c.reason, c.kind), c.expected)
            << "kind " << c.kind << " reason " << c.reason;
}

const std::string kConsult = "<VisitFor><Consult>1</Consult><Disp>0</Disp></VisitFor>";

SheetInput primarySheet(int number, const std::string& date, int vidNapr, int naprFor) {
    SheetInput s;
    s.noAl = std::to_string(number);
    s.dataAl = date;
    s.extra = kConsult + simpList(primaryVisit(std::to_string(number + 50), vidNapr, naprFor));
    return s;
}

SheetInput secondarySheet(int number, const std::string& primaryNumber,
                          const std::string& primaryDate) {
    SheetInput s;
    s.noAl = std::to_string(number);
    s.examType = "12";
    s.extra = kConsult + simpList(secondaryVisit(primaryNumber, primaryDate));
    return s;
}

// The primary examination's type, whichever of the two sheets comes first: a type of 0
// or less in the database counts only in the earlier versions.
TEST_F(SpecialistTest, SecondaryVisitTakesThePrimaryExaminationsType) {
    struct Case {
        const char* what;
        int year;
        int vidNapr, naprFor;
        std::string primaryDate;
        bool primaryFirst;  // imported by an earlier run
        bool samePatient;
        std::string named;  // "NoAmbL" when not the primary's number
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"in the database", 2022, 1, 4, "2023-04-03", true, true, "", "4"},
        {"in the database, of the table's kind 1", 2022, 2, 13, "2023-04-03", true, true, "", "6"},
        {"later in the same e-report", 2022, 2, 13, "2023-04-03", false, true, "", "6"},
        {"none in the database: the reason", 2022, 1, 6, "2023-04-03", true, true, "", "1"},
        {"none in the database: 2018 keeps it", 2018, 1, 6, "2023-04-03", true, true, "", "-1"},
        {"later in the e-report, of an other patient", 2022, 1, 4, "2023-04-03", false, false, "",
         "1"},
        {"later in the e-report, dated on the period's first day", 2022, 1, 4, "2023-04-01", false,
         true, "", "1"},
        {"a number that is no sheet's", 2022, 1, 4, "2023-04-03", true, true, "3'0", "1"},
        {"a number of 13 characters", 2022, 1, 4, "2023-04-03", true, true, std::string(13, '7'),
         "1"},
    };
    int number = 300;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        number += 2;
        SheetInput primary = primarySheet(number, c.primaryDate, c.vidNapr, c.naprFor);
        if (!c.samePatient)
            primary.egn = "8001010005";
        const SheetInput secondary =
            secondarySheet(number + 1, c.named.empty() ? primary.noAl : c.named, c.primaryDate);
        if (c.primaryFirst) {
            import(c.year, {primary});
            import(c.year, {secondary});
        } else {
            import(c.year, {secondary, primary});
        }
        EXPECT_EQ(column("NAPR_TYPE_ID", secondary.noAl), c.expected);
    }
}

TEST_F(SpecialistTest, WithoutAPrimaryTypeTheReasonOfTheVisitDecides) {
    struct Case {
        const char* what;
        std::string simpCode;
        std::string egn;
        std::string visitFor;
        std::string expected;
    };
    const std::string fiveYearOld = "1843150004", sixYearOld = "1743150000";
    const std::vector<Case> cases = {
        {"no reason", "05", fiveYearOld, "", "0"},
        {"dispensary", "05", fiveYearOld, "<Disp>1</Disp>", "3"},
        {"dispensary of a child under 6 at a paediatrician", "17", fiveYearOld, "<Disp>1</Disp>",
         "8"},
        {"dispensary of a 6-year-old at a paediatrician", "17", sixYearOld, "<Disp>1</Disp>", "3"},
        {"consultation", "05", fiveYearOld, "<Disp>1</Disp><Consult>1</Consult>", "1"},
        {"child prevention", "05", fiveYearOld,
         "<Consult>1</Consult><Profilact><Child>1</Child>"
         "</Profilact>",
         "6"},
        {"dispensary and mother prevention", "05", fiveYearOld,
         "<Disp>1</Disp><Profilact><Mother>1</Mother></Profilact>", "5"},
        {"rehabilitation", "23", fiveYearOld, "<Consult>1</Consult>", "7"},
    };
    int number = 400;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SheetInput s;
        s.noAl = std::to_string(++number);
        s.examType = "12";
        s.egn = c.egn;
        s.extra = "<VisitFor>" + c.visitFor + "</VisitFor>" +
                  simpList(secondaryVisit("999", "2023-04-05"));
        import(2022, {s}, c.simpCode);
        EXPECT_EQ(column("NAPR_TYPE_ID", s.noAl), c.expected);
    }
}

// Looking for the visit's primary examination among the sheets still to be imported
// reads them without adding elements: each is imported as the e-report has it. The
// later sheet stops the run (its exam type is no number) before its own import reads it.
TEST_F(SpecialistTest, ReferralTypeFromTheReportAddsNoElementsToItsSheets) {
    const struct Case {
        std::string extra;   // of the later sheet, the one the visit names
        const char* parent;  // where the missing element would be added
        const char* missing;
    } cases[] = {
        {kConsult, "", "SIMPList"},
        {kConsult + "<SIMPList></SIMPList>", "SIMPList", "PrimaryVisit"},
        {kConsult + simpList("<PrimaryVisit></PrimaryVisit>"), "PrimaryVisit", "VidNapr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.missing);
        SheetInput later = sheet("2", "A1", c.extra);
        later.dataAl = "2023-04-03";
        EXPECT_THROW(import(2022, {secondarySheet(1, "2", "2023-04-03"), later}), Error);
        ereport::Element at = xml.Doctor2022().AmbList().get_item(1);
        for (const char* step : {"SIMPList", "PrimaryVisit"}) {
            if (std::string(c.parent).empty() || std::string(step) == c.missing)
                break;
            at = ereport::GetNode(at, step);
            if (std::string(step) == c.parent)
                break;
        }
        EXPECT_FALSE(at.isAbsent());
        EXPECT_FALSE(ereport::NodeExsist(at, c.missing));
    }
}

}  // namespace
}  // namespace kalvex::engine
