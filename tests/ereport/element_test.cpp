// The reading rules every typed view shares, seen through the NRD 2022 model.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/error.h"
#include "ereport/node_helpers.h"
#include "ereport/nrd2022.h"
#include "report_files.h"

namespace kalvex::ereport {
namespace {

using nrd2022::TXMLAmbList;

const std::string kNull = "Null";
const std::string kString = "String";

std::string conversionMessage(const std::string& from, const std::string& to) {
    return "Could not convert variant of type (" + from + ") into type (" + to + ")";
}

class ElementTest : public ::testing::Test {
  protected:
    // A 2022 report with one sheet holding `sheetContent`.
    TXMLAmbList sheet(const std::string& sheetContent) {
        document_ = files_.parse("<Practice><Doctor><AmbList>" + sheetContent +
                                 "</AmbList></Doctor></Practice>");
        return nrd2022::GetPractice2022(*document_).Doctor().AmbList().get_item(0);
    }

    // What reading `read` on a sheet holding `content` yields, or the failure text.
    template <class Read>
    std::string outcome(const std::string& content, Read read) {
        try {
            return "=" + read(sheet(content));
        } catch (const Error& error) {
            return std::string("!") + error.what();
        }
    }

    testing::ReportFiles files_;
    std::shared_ptr<Document> document_;
};

struct KindCase {
    std::string content;
    std::string text;        // "NoAl", kind text
    std::string strictText;  // "NRN", kind strict text
    std::string integer;     // "PatientofNeotlID", kind integer
    std::string boolean;     // "Pay", kind boolean
};

TEST_F(ElementTest, EachKindOnPresentEmptySelfClosingAndAbsentElements) {
    auto present = [](const std::string& value) {
        return "<NoAl>" + value + "</NoAl><NRN>" + value + "</NRN><PatientofNeotlID>" + value +
               "</PatientofNeotlID><Pay>" + value + "</Pay>";
    };
    const std::string nullInteger = "!" + conversionMessage(kNull, "Integer");
    const std::string nullBoolean = "!" + conversionMessage(kNull, "Boolean");
    const std::string nullStrict = "!" + conversionMessage(kNull, "OleStr");
    const KindCase cases[] = {
        {present("12"), "=12", "=12", "=12", "=1"},
        {present("0"), "=0", "=0", "=0", "=0"},
        {present("-7"), "=-7", "=-7", "=-7", "=1"},
        {present("TrUe"), "=TrUe", "=TrUe", "!" + conversionMessage(kString, "Integer"), "=1"},
        {present("FALSE"), "=FALSE", "=FALSE", "!" + conversionMessage(kString, "Integer"), "=0"},
        {present("abc"), "=abc", "=abc", "!" + conversionMessage(kString, "Integer"),
         "!" + conversionMessage(kString, "Boolean")},
        {present("99999999999"), "=99999999999", "=99999999999",
         "!" + conversionMessage(kString, "Integer"), "!" + conversionMessage(kString, "Boolean")},
        {present(""), "=", nullStrict, nullInteger, nullBoolean},
        {"<NoAl/><NRN/><PatientofNeotlID/><Pay/>", "=", nullStrict, nullInteger, nullBoolean},
        {"", "=", nullStrict, nullInteger, nullBoolean},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.content);
        EXPECT_EQ(outcome(c.content, [](const TXMLAmbList& s) { return s.NoAl(); }), c.text);
        EXPECT_EQ(outcome(c.content, [](const TXMLAmbList& s) { return s.NRN(); }), c.strictText);
        EXPECT_EQ(
            outcome(c.content,
                    [](const TXMLAmbList& s) { return std::to_string(s.PatientofNeotlID()); }),
            c.integer);
        EXPECT_EQ(outcome(c.content, [](const TXMLAmbList& s) { return std::to_string(s.Pay()); }),
                  c.boolean);
    }
}

TEST_F(ElementTest, TextOfAnElementWithChildElementsFails) {
    const std::string failure = "!Element does not contain a single text node";
    EXPECT_EQ(outcome("<NoAl><b>1</b></NoAl>", [](const TXMLAmbList& s) { return s.NoAl(); }),
              failure);
    EXPECT_EQ(outcome("<NoAl>1<b/>2</NoAl>", [](const TXMLAmbList& s) { return s.NoAl(); }),
              failure);
    EXPECT_EQ(
        outcome("<Pay><x/></Pay>", [](const TXMLAmbList& s) { return std::to_string(s.Pay()); }),
        failure);
    EXPECT_EQ(
        outcome("<NoAl><![CDATA[a<b]]></NoAl>", [](const TXMLAmbList& s) { return s.NoAl(); }),
        "=a<b");
}

TEST_F(ElementTest, DaysAreTheLowSixteenBits) {
    const std::pair<std::string, int> cases[] = {
        {"5", 5}, {"65535", 65535}, {"65537", 1}, {"-1", 65535}};
    for (const auto& [text, days] : cases) {
        const TXMLAmbList s = sheet("<Docs><HList><days>" + text + "</days></HList></Docs>");
        EXPECT_EQ(s.Docs().HList().get_item(0).Days(), days) << text;
    }
}

TEST_F(ElementTest, TheFirstOccurrenceWins) {
    const TXMLAmbList s = sheet(
        "<Patient><EGN>1</EGN></Patient><Patient><EGN>2</EGN></Patient><NoAl>a</NoAl><NoAl>b</"
        "NoAl>");
    EXPECT_EQ(s.Patient().EGN(), "1");
    EXPECT_EQ(s.NoAl(), "a");
}

TEST_F(ElementTest, AMissingSingleElementIsCreatedAndThenSeenByPresenceChecks) {
    const TXMLAmbList s = sheet("<NoAl>1</NoAl>");
    EXPECT_FALSE(NodeExsist(s, "Imun"));
    EXPECT_FALSE(NodeExsist(s, "Imun"));  // looking does not create
    EXPECT_EQ(s.Imun().NoImun(), "");
    EXPECT_TRUE(NodeExsist(s, "Imun"));
    EXPECT_TRUE(NodeExsist(s.Imun(), "NoImun"));
    // A value read that fails still leaves its element behind.
    EXPECT_THROW(s.PatientofNeotlID(), Error);
    EXPECT_TRUE(NodeExsist(s, "PatientofNeotlID"));
}

TEST_F(ElementTest, ASheetWithoutDocsHasEmptyDocumentLists) {
    const auto docs = sheet("<NoAl>1</NoAl>").Docs();
    EXPECT_EQ(docs.SIMPConsult().GetCount(), 0);
    EXPECT_EQ(docs.VSDSIMPConsult().GetCount(), 0);
    EXPECT_EQ(docs.MDD().GetCount(), 0);
    EXPECT_EQ(docs.HList().GetCount(), 0);
    EXPECT_EQ(docs.Rp().RpDrug().GetCount(), 0);
    EXPECT_EQ(docs.HospNapr().Hosp().PathNum(), "");
    EXPECT_THROW(docs.Rp().RpDrug().get_item(0), std::out_of_range);
}

TEST_F(ElementTest, ListsSkipForeignElementsBetweenItems) {
    const auto docs = sheet(
                          "<Docs><MDD><NoMDD>1</NoMDD></MDD><HList/><MDD><NoMDD>2</NoMDD>"
                          "<NRN/><kodMDD>A1</kodMDD><x/><kodMDD>B2</kodMDD></MDD></Docs>")
                          .Docs();
    ASSERT_EQ(docs.MDD().GetCount(), 2);
    EXPECT_EQ(docs.MDD().get_item(0).NoMDD(), "1");
    EXPECT_EQ(docs.MDD().get_item(1).NoMDD(), "2");
    EXPECT_EQ(docs.HList().GetCount(), 1);
    EXPECT_EQ(docs.MDD().get_item(1).NRN(), "");  // text inside MDD, strict on the sheet
    const auto codes = docs.MDD().get_item(1).KodMDD();
    ASSERT_EQ(codes.GetCount(), 2);
    EXPECT_EQ(codes.get_item(0), "A1");
    EXPECT_EQ(codes.get_item(1), "B2");
}

TEST_F(ElementTest, AnEmptyTextListItemFailsAsStrictText) {
    const auto codes = sheet("<Imun><CodeImun>07</CodeImun><CodeImun/></Imun>").Imun().CodeImun();
    ASSERT_EQ(codes.GetCount(), 2);
    EXPECT_EQ(codes.get_item(0), "07");
    try {
        codes.get_item(1);
        FAIL() << "an empty item must fail";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), conversionMessage(kNull, "OleStr").c_str());
    }
}

TEST_F(ElementTest, HospIsAnElementUnderHospNaprButAValueUnderVSDVisit) {
    const TXMLAmbList s = sheet(
        "<VisitFor><VSDVisit><Hosp>3</Hosp></VSDVisit></VisitFor>"
        "<Docs><HospNapr><Hosp><PathNum>12</PathNum><HospMKB>I10</HospMKB></Hosp></HospNapr></"
        "Docs>");
    EXPECT_EQ(s.VisitFor().VSDVisit().Hosp(), 3);
    EXPECT_EQ(s.Docs().HospNapr().Hosp().PathNum(), "12");
    EXPECT_EQ(s.Docs().HospNapr().Hosp().HospMKB().get_item(0), "I10");
}

TEST_F(ElementTest, ADrugCanBeRewrittenInMemory) {
    const auto drug = sheet("<Docs><Rp><RpDrug><DrugCode>A</DrugCode></RpDrug></Rp></Docs>")
                          .Docs()
                          .Rp()
                          .RpDrug()
                          .get_item(0);
    drug.Set_DrugCode("B & <C>");
    drug.Set_AllocationID(-42);
    EXPECT_EQ(drug.DrugCode(), "B & <C>");
    EXPECT_EQ(drug.AllocationID(), -42);
    EXPECT_EQ(ReadValue(drug, "AllocationID"), "-42");
}

}  // namespace
}  // namespace kalvex::ereport
