#include "ereport/node_helpers.h"

#include <gtest/gtest.h>

#include <string>

#include "common/error.h"
#include "report_files.h"

namespace kalvex::ereport {
namespace {

class NodeHelpersTest : public ::testing::Test {
  protected:
    Element parse(const std::string& xml) {
        document_ = files_.parse(xml);
        return document_->root();
    }

    testing::ReportFiles files_;
    std::shared_ptr<Document> document_;
};

struct ValueCase {
    std::string xml;  // content of the node; the child read is "v"
    std::string text;
    std::int32_t integer;
    bool boolean;
    std::int32_t intOrMinusOne;
};

TEST_F(NodeHelpersTest, ReadValueFormsAndTheirDefaults) {
    const ValueCase cases[] = {
        {"<v>12</v>", "12", 12, true, 12},     {"<v>-7</v>", "-7", -7, false, -7},
        {"<v>2</v><v>0</v>", "2", 2, true, 2}, {"<v>0</v>", "0", 0, false, -1},
        {"<v>12a</v>", "12a", 0, false, -1},   {"<v>1.5</v>", "1.5", 0, false, -1},
        {"<v>true</v>", "true", 0, false, -1}, {"<v/>", "", 0, false, -1},
        {"<w>5</w>", "", 0, false, -1},        {"<v>Ω ж</v>", "? ж", 0, false, -1},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.xml);
        const Element node = parse("<n>" + c.xml + "</n>");
        std::string text = "stale";
        std::int32_t integer = 99;
        bool boolean = true;
        ReadValue(node, "v", text);
        ReadValue(node, "v", integer);
        ReadValue(node, "v", boolean);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(ReadValue(node, "v"), c.text);
        EXPECT_EQ(integer, c.integer);
        EXPECT_EQ(boolean, c.boolean);
        EXPECT_EQ(ReadValueInt(node, "v", -1), c.intOrMinusOne);
        EXPECT_EQ(ReadValueBool(node, "v", false), c.boolean);
        EXPECT_TRUE(ReadValueBool(node, "v", true));
        EXPECT_EQ(NodeExsist(node, "v"), c.xml.starts_with("<v"));
    }
}

TEST_F(NodeHelpersTest, AnAbsentNodeYieldsDefaultsAndCreatesNothing) {
    const Element sheet = parse("<AmbList><Babycare/></AmbList>");
    Element docs(nullptr);
    GetNode(sheet, "Docs", docs);
    EXPECT_TRUE(docs.isAbsent());
    Element rp = sheet;
    GetNode(docs, "Rp", rp);
    EXPECT_TRUE(rp.isAbsent());
    EXPECT_FALSE(NodeExsist(rp, "RpDrug"));
    EXPECT_EQ(ReadValue(rp, "RpDrug"), "");
    EXPECT_EQ(ReadValueInt(rp, "x", 5), 5);
    EXPECT_FALSE(NodeExsist(sheet, "Docs"));

    EXPECT_TRUE(NodeExsist(sheet, "Babycare"));
    bool babycare = true;
    ReadValue(sheet, "Babycare", babycare);
    EXPECT_FALSE(babycare);
}

TEST_F(NodeHelpersTest, AChildWithElementsHasNoValueText) {
    const Element node = parse("<n><v><w/></v></n>");
    try {
        ReadValue(node, "v");
        FAIL() << "must fail";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Element does not contain a single text node");
    }
}

TEST_F(NodeHelpersTest, IfThenChoosesByFlag) {
    EXPECT_EQ(IfThen(true, 1, 2), 1);
    EXPECT_EQ(IfThen(false, 1, 2), 2);
    EXPECT_EQ(IfThen(true, common::Variant(std::int64_t{7}), common::Null),
              common::Variant(std::int64_t{7}));
    EXPECT_TRUE(common::isNull(IfThen(false, common::Variant(std::string("a")), common::Null)));
}

}  // namespace
}  // namespace kalvex::ereport
