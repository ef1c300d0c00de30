// Files built to make the loader slow, and files whose label lies about their bytes:
// each is refused at once with a message that names the file, or loads as it should.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/error.h"
#include "ereport/xml_report.h"
#include "report_files.h"

namespace kalvex::ereport {
namespace {

constexpr int kNrd2009 = 4, kNrd2022 = 8;
const std::string kLoads = "loads";
const std::string kEntity = "the file's DTD declares the entity ";
const std::string kCrowded =
    "an element has more than 64 attributes; an e-report has only a few on any element";

struct Case {
    std::string name;
    std::string xml;
    std::string expected;  // kLoads, or the message after "<file>:"
};

std::string repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i)
        all += text;
    return all;
}

std::string attributes(int count) {
    std::string all;
    for (int i = 0; i < count; ++i)
        all += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    return all;
}

std::string utf16le(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

const std::string kDoctor = "<Practice><Doctor><FullName>Мария</FullName></Doctor></Practice>";

class HostileFilesTest : public ::testing::Test {
  protected:
    // kLoads, or what the failure says after the file's name and its colon.
    std::string outcome(const std::string& xml, int nrd = kNrd2022) {
        const std::string fileName = files_.write(xml);
        try {
            report_.XMLLoadFile(nrd, fileName);
            return kLoads;
        } catch (const Error& error) {
            const std::string text = error.what();
            if (text.rfind(fileName + ":", 0) != 0)
                return "without the file's name: " + text;
            return text.substr(fileName.size() + 1);
        }
    }
    void expectOutcomes(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(outcome(c.xml), c.expected);
        }
    }

    testing::ReportFiles files_;
    XmlReport report_;
};

TEST_F(HostileFilesTest, ADtdThatDeclaresAnEntityIsRefused) {
    const std::string manyReferences =
        "<!DOCTYPE Practice [<!ELEMENT Practice (#PCDATA)>\n<!ENTITY e \"" + repeated("&f;", 50) +
        "\"><!ENTITY f \"x\">]>\n<Practice>" + repeated("&e;", 50) + "</Practice>";
    expectOutcomes({
        {"many references, used many times", manyReferences,
         "2: " + kEntity + "\"e\"; an e-report declares no entities"},
        {"beside an external DTD, where nothing is validated",
         "<!DOCTYPE Practice SYSTEM \"practice.dtd\" [\n\n<!ENTITY n \"x\">]>" + kDoctor,
         "3: " + kEntity + "\"n\"; an e-report declares no entities"},
        {"a parameter entity", "<!DOCTYPE Practice [<!ENTITY % p \"\">]>" + kDoctor,
         "1: " + kEntity + "\"%p\"; an e-report declares no entities"},
        {"an unparsed entity",
         "<!DOCTYPE Practice [<!NOTATION n SYSTEM \"n\"><!ENTITY u SYSTEM \"u\" NDATA n>]>" +
             kDoctor,
         "1: " + kEntity + "\"u\"; an e-report declares no entities"},
        {"the predefined entities need no declaration", "<Practice>&lt;&amp;&#1052;</Practice>",
         kLoads},
    });
}

TEST_F(HostileFilesTest, AnElementWithMoreThan64AttributesIsRefusedBeforeParsing) {
    std::string declared = "<!DOCTYPE Practice [<!ELEMENT Practice ANY>\n";
    for (int i = 0; i < 65; ++i)
        declared += "<!ATTLIST Practice d" + std::to_string(i) + " CDATA \"v\">";
    declared += "]><Practice/>";
    expectOutcomes({
        {"64 attributes", "<Practice" + attributes(64) + "/>", kLoads},
        {"65 attributes", "<Practice>\n<Doctor" + attributes(65) + "/></Practice>",
         "2: " + kCrowded},
        {"65 in UTF-16",
         utf16le("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<Practice" + attributes(65) + "/>"),
         "2: " + kCrowded},
        {"quotes and '>' inside values are one value each",
         "<Practice" + repeated(" a='\">\"'", 1) + attributes(63) + "/>", kLoads},
        {"no start tags inside a comment, CDATA, a PI or the DTD",
         "<!DOCTYPE Practice [<!ELEMENT Practice ANY><!-- ]> <x" + attributes(65) +
             "> -->\n<!ATTLIST Practice v CDATA ' ]> \"'>]><Practice><!--<x" + attributes(65) +
             "/>--><![CDATA[<x" + attributes(65) + "/>]]><?pi <x" + attributes(65) +
             "/>?></Practice>",
         kLoads},
        {"a '<' cuts a value short, as libxml2 does",
         "<Practice a=\"<x" + attributes(65) + "/>\"/>", "1: " + kCrowded},
        {"declared in the DTD", declared,
         "2: the file's DTD declares more than 64 attributes for the element \"Practice\"; an "
         "e-report has only a few on any element"},
        {"EBCDIC cannot be scanned", "\x4C\x6F\xA7\x94\x93\x40",
         " the file is in EBCDIC; an e-report is in UTF-8, UTF-16 or a single-byte code page "
         "such as windows-1251"},
    });
}

TEST_F(HostileFilesTest, Utf8TextUnderASingleByteDeclarationIsRefused) {
    const auto declaring = [](const std::string& encoding) {
        return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\n";
    };
    const std::string mismatch =
        ", but its text is UTF-8; its Cyrillic would be read as other letters";
    expectOutcomes({
        {"UTF-8 as windows-1251", declaring("windows-1251") + kDoctor,
         " the file declares the encoding windows-1251" + mismatch},
        {"UTF-8 as ISO-8859-5", declaring("ISO-8859-5") + kDoctor,
         " the file declares the encoding ISO-8859-5" + mismatch},
        {"windows-1251 as windows-1251", declaring("windows-1251") + common::toCp1251(kDoctor),
         kLoads},
        {"ASCII only as windows-1251", declaring("windows-1251") + "<Practice/>", kLoads},
        {"UTF-8 as UTF-8", declaring("utf-8") + kDoctor, kLoads},
        {"UTF-8 without a declaration", kDoctor, kLoads},
    });
    EXPECT_EQ(report_.Doctor2022().FullName(), "Мария");

    const char* source = std::getenv("KALVEX_SOURCE_DIR");
    const std::string sample =
        std::string(source == nullptr ? "." : source) + "/samples/nrd2009.xml";
    EXPECT_EQ(report_.XMLLoadFile(kNrd2009, sample).size(), 1u);
}

TEST_F(HostileFilesTest, AParserMessageIsOneLineWithItsLineNumber) {
    const std::string damaged =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Practice>\n"
        "<Doctor><FullName>Ив\xD0" +
        std::string(3000, '\0');
    expectOutcomes({
        {"a zero-filled tail", damaged,
         "3: Input is not proper UTF-8, indicate encoding ! Bytes: 0xD0 0x00 0x00 0x00"},
        {"windows-1251 bytes undeclared", common::toCp1251("<Practice>\n\n" + kDoctor),
         "3: Input is not proper UTF-8, indicate encoding ! Bytes: 0xCC 0xE0 0xF0 0xE8"},
    });
}

}  // namespace
}  // namespace kalvex::ereport
