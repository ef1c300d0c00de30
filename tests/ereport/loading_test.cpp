// Loading a file, binding it to a version and listing its doctors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/code_page.h"
#include "ereport/xml_report.h"
#include "report_files.h"

namespace kalvex::ereport {
namespace {

constexpr int kNrd2003 = 0, kNrd2018 = 6, kNrd2021 = 7, kNrd2022 = 8;
const std::string kWrongVersion =
    "Възникна грешка при четенето на XML файла. Проверете дали избраното НРД съвпада с "
    "формата на файла който сте избрали";

std::string doctor(const std::string& name, const std::string& uin, int sheets) {
    std::string xml = "<Doctor><UIN>" + uin + "</UIN><FullName>" + name + "</FullName>";
    for (int i = 0; i < sheets; ++i)
        xml += "<AmbList><NoAl>" + std::to_string(i) + "</NoAl></AmbList><x/>";
    return xml + "</Doctor>";
}

class LoadingTest : public ::testing::Test {
  protected:
    std::vector<XmlDoctorItem> load(int nrd, const std::string& xml) {
        return report_.XMLLoadFile(nrd, files_.write(xml));
    }
    std::string failureOf(int nrd, const std::string& xml) {
        try {
            load(nrd, xml);
        } catch (const Error& error) {
            return error.what();
        }
        return "";
    }

    testing::ReportFiles files_;
    XmlReport report_;
};

TEST_F(LoadingTest, A2018FileListsEveryDoctorInOrder) {
    const auto doctors =
        load(kNrd2018, "<Practice>" + doctor("Иван Петров Стоянов", "111", 27) + "<DateFrom/>" +
                           doctor("Мария Иванова", "222", 0) + "</Practice>");
    const std::vector<XmlDoctorItem> expected = {
        {"Иван Петров Стоянов  (27 амб.листа)", 0, "111"},
        {"Мария Иванова  (0 амб.листа)", 1, "222"},
    };
    EXPECT_EQ(doctors, expected);
    EXPECT_EQ(report_.Doctors2018().GetCount(), 2);
    EXPECT_EQ(report_.Practice2018().Doctor().get_item(1).UIN(), "222");
    EXPECT_EQ(XMLGetDoctorID(doctors, 1), 1);
    EXPECT_EQ(XMLGetDoctorID(doctors, -1), 0);
}

TEST_F(LoadingTest, WithoutADoctorThe2018ListIsEmptyButThe2021And2022ListsHoldAnEmptyDoctor) {
    EXPECT_TRUE(load(kNrd2018, "<Practice><DateFrom/></Practice>").empty());
    const std::vector<XmlDoctorItem> emptyDoctor = {{"  (0 амб.листа)", 0, ""}};
    EXPECT_EQ(load(kNrd2021, "<Practice/>"), emptyDoctor);
    EXPECT_EQ(load(kNrd2022, "<Practice/>"), emptyDoctor);
    EXPECT_EQ(report_.Doctor2022().UIN(), "");
}

TEST_F(LoadingTest, Windows1251AndUtf16FilesAreReadInTheirEncoding) {
    const std::string body = "<Practice>" + doctor("Жана Ёлкина €", "9", 1) + "</Practice>";
    const std::vector<XmlDoctorItem> expected = {{"Жана Ёлкина €  (1 амб.листа)", 0, "9"}};
    EXPECT_EQ(load(kNrd2022,
                   "<?xml version=\"1.0\" encoding=\"windows-1251\"?>" + common::toCp1251(body)),
              expected);

    std::string utf16 = "\xFF\xFE";  // little-endian byte-order mark
    for (const char c : std::string("<?xml version=\"1.0\" encoding=\"UTF-16\"?><Practice><Doctor>"
                                    "<FullName>A</FullName></Doctor></Practice>")) {
        utf16 += c;
        utf16 += '\0';
    }
    EXPECT_EQ(load(kNrd2022, utf16), (std::vector<XmlDoctorItem>{{"A  (0 амб.листа)", 0, ""}}));
}

TEST_F(LoadingTest, CharactersOutsideCodePage1251BecomeQuestionMarks) {
    EXPECT_EQ(load(kNrd2022, "<Practice>" + doctor("Łukasz 日本", "1", 0) + "</Practice>")[0].text,
              "?ukasz ??  (0 амб.листа)");
}

TEST_F(LoadingTest, AWrongRootOrAnUnreadableDoctorIsTheWrongVersionMessage) {
    EXPECT_EQ(failureOf(kNrd2022, "<Report><Doctor/></Report>"), kWrongVersion);
    EXPECT_EQ(failureOf(kNrd2022, "<Practice xmlns=\"urn:x\"/>"), kWrongVersion);
    EXPECT_EQ(
        failureOf(kNrd2018, "<Practice><Doctor><FullName><b/></FullName></Doctor></Practice>"),
        kWrongVersion);
    EXPECT_THROW(load(kNrd2022, "<Report/>"), ReportFormatError);
}

TEST_F(LoadingTest, AFailedBindingKeepsTheVersionsEarlierBinding) {
    load(kNrd2022, "<Practice>" + doctor("A", "1", 2) + "</Practice>");
    EXPECT_THROW(load(kNrd2022, "<Report/>"), ReportFormatError);
    load(kNrd2018, "<Practice>" + doctor("B", "2", 0) + "</Practice>");
    // The 2022 references still read their own document.
    EXPECT_EQ(report_.Doctor2022().UIN(), "1");
    EXPECT_EQ(report_.Doctor2022().AmbList().GetCount(), 2);
    load(kNrd2022, "<Practice>" + doctor("C", "3", 0) + "</Practice>");
    EXPECT_EQ(report_.Doctor2022().UIN(), "3");
}

TEST_F(LoadingTest, AMalformedOrMissingFileFailsWithTheParsersMessage) {
    const std::string fileName = files_.write("<Practice>\n<Doctor>\n</Practice>\n");
    try {
        report_.XMLLoadFile(kNrd2022, fileName);
        FAIL() << "a malformed file must fail";
    } catch (const ReportFormatError&) {
        FAIL() << "a malformed file is a parse error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()),
                  fileName + ":3: Opening and ending tag mismatch: Doctor line 2 and Practice");
    }
    EXPECT_NE(failureOf(kNrd2003, "<Practice>"), "");
    EXPECT_THROW(report_.XMLLoadFile(kNrd2022, files_.dir().file("none.xml")), Error);
    EXPECT_THROW(report_.Practice2022(), Error);  // nothing was ever bound
}

TEST_F(LoadingTest, Nrd2003OnlyParses) {
    EXPECT_TRUE(load(kNrd2003, "<Other/>").empty());
    EXPECT_THROW(report_.Practice2022(), Error);
}

TEST_F(LoadingTest, ADocumentIsValidatedAgainstItsOwnDeclarations) {
    const std::string dtd =
        "<!DOCTYPE Practice [<!ELEMENT Practice (Doctor)><!ELEMENT Doctor (FullName)>"
        "<!ELEMENT FullName (#PCDATA)>]>";
    EXPECT_EQ(load(kNrd2022, dtd + "<Practice><Doctor><FullName>A</FullName></Doctor></Practice>"),
              (std::vector<XmlDoctorItem>{{"A  (0 амб.листа)", 0, ""}}));
    const std::string invalid = failureOf(kNrd2022, dtd + "<Practice><Doctor/></Practice>");
    EXPECT_NE(invalid, "");
    EXPECT_NE(invalid, kWrongVersion);
}

TEST_F(LoadingTest, ADtdPartlyOutsideTheFileIsNotCheckedAgainstItsInternalPartAlone) {
    // The external part is never read, so the elements it would declare are unknown.
    const std::string body = "<Practice><Doctor><FullName>A</FullName></Doctor></Practice>";
    const std::vector<XmlDoctorItem> doctorA = {{"A  (0 амб.листа)", 0, ""}};
    for (const std::string& doctype :
         {std::string("<!DOCTYPE Practice SYSTEM \"practice.dtd\" "
                      "[<!ATTLIST Doctor id CDATA #IMPLIED>]>"),
          std::string("<!DOCTYPE Practice PUBLIC \"-//X//Practice//EN\" \"practice.dtd\" "
                      "[<!ELEMENT FullName (#PCDATA)>]>")}) {
        SCOPED_TRACE(doctype);
        EXPECT_EQ(load(kNrd2022, doctype + body), doctorA);
    }
}

TEST_F(LoadingTest, ExternalEntitiesAndDtdsAreNeverRead) {
    const std::string secretFile = files_.write("TOPSECRET", "secret.txt");
    const std::string entity = "<!ENTITY secret SYSTEM \"" + secretFile + "\">";
    const std::string dtd =
        "<!ELEMENT Practice (Doctor)><!ELEMENT Doctor (FullName)>"
        "<!ELEMENT FullName (#PCDATA)>";
    const std::string reports[] = {
        "<!DOCTYPE Practice [" + dtd + entity +
            "]><Practice><Doctor><FullName>&secret;</FullName></Doctor></Practice>",
        "<!DOCTYPE Practice [" + entity +
            "]><Practice><Doctor><FullName>&secret;</FullName></Doctor></Practice>",
        "<!DOCTYPE Practice [<!ENTITY % p SYSTEM \"" + secretFile +
            "\"> %p;]><Practice><Doctor><FullName>x</FullName></Doctor></Practice>",
        "<!DOCTYPE Practice SYSTEM \"" + secretFile +
            "\"><Practice><Doctor><FullName>x</FullName></Doctor></Practice>",
    };
    for (const std::string& xml : reports) {
        SCOPED_TRACE(xml);
        std::string seen;
        try {
            for (const auto& item : load(kNrd2022, xml))
                seen += item.text;
        } catch (const Error& error) {
            seen = error.what();
        }
        EXPECT_EQ(seen.find("TOPSECRET"), std::string::npos) << seen;
    }
}

TEST_F(LoadingTest, NestedEntitiesAreRefusedRatherThanExpanded) {
    std::string entities = "<!ENTITY a0 \"lol\">";
    for (int i = 1; i <= 12; ++i) {
        const std::string previous = "&a" + std::to_string(i - 1) + ";";
        std::string tenfold;
        for (int k = 0; k < 10; ++k)
            tenfold += previous;
        entities += "<!ENTITY a" + std::to_string(i) + " \"" + tenfold + "\">";
    }
    const std::string fileName =
        files_.write("<!DOCTYPE Practice [" + entities +
                     "]><Practice><Doctor><FullName>&a12;</FullName></Doctor></Practice>");
    try {
        report_.XMLLoadFile(kNrd2022, fileName);
        FAIL() << "must fail";
    } catch (const ReportFormatError&) {
        FAIL() << "must fail while parsing";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("entity"), std::string::npos) << error.what();
    }
}

}  // namespace
}  // namespace kalvex::ereport
