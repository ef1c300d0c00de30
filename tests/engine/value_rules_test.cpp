// Values whose form must not change what is written: codes with blanks around them, and
// descriptive texts longer than their columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "engine_test.h"
#include "support/sample_documents.h"

namespace kalvex::engine {
namespace {

using testing::SheetInput;

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos)
        throw std::invalid_argument("no " + from);
    return text.replace(at, from.size(), to);
}

// Codes and numbers with blanks around them mean what they mean without: each kind's
// rows of the sheet, and the referral's speciality, are those of the plain sheet.
TEST_F(EngineTest, CodesWithBlanksKeepTheirNumericMeaning) {
    const char* attached[] = {"BLANKA_MED_NAPR", "BLANKA_MED_NAPR_3A", "EXAM_LKK",
                              "EXAM_IMMUNIZATION", "EXAM_ANALYSIS", "BLANKA_MDN"};
    int sheet = 0;
    for (const int year : {2009, 2018, 2022}) {
        const std::string plain = testing::sampleDocuments(year);
        std::string padded = plain;
        for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
                 {"<kodSp>05</kodSp>", "<kodSp>05 </kodSp>"},
                 {"<kodSpVSD>05</kodSpVSD>", "<kodSpVSD> 05</kodSpVSD>"},
                 {"<CodeSpec>05</CodeSpec>", "<CodeSpec>05 </CodeSpec>"},
                 {"<CodeImun>12</CodeImun>", "<CodeImun> 12</CodeImun>"},
                 {"<NoMDD>302</NoMDD>", "<NoMDD> 302 </NoMDD>"}})
            padded = replaced(padded, from, to);
        std::vector<std::string> rows[2];
        for (int form = 0; form < 2; ++form) {
            SheetInput s;
            s.noAl = std::to_string(++sheet);
            s.extra = form == 0 ? plain : padded;
            run(year, withSheets({s}), under(addDoctor("04" + std::to_string(sheet), 1)));
            const std::string exam =
                text(value("SELECT ID FROM PREGLED WHERE AMB_LISTN = '" + s.noAl + "'"));
            for (const char* table : attached)
                rows[form].push_back(std::string(table) + " " +
                                     std::to_string(count(std::string(table) +
                                                          " WHERE PREGLED_ID = " + exam)));
            rows[form].push_back(
                "members " + std::to_string(count("EXAM_LKK_DOCTOR d JOIN EXAM_LKK l ON l.ID = "
                                                  "d.EXAM_LKK_ID WHERE l.PREGLED_ID = " +
                                                  exam)));
            rows[form].push_back(
                "referral to " + text(value("SELECT LIST(SPECIALITY_ID) FROM (SELECT "
                                            "SPECIALITY_ID FROM BLANKA_MED_NAPR WHERE "
                                            "PREGLED_ID = " +
                                            exam + " ORDER BY NUMBER)")));
        }
        EXPECT_EQ(rows[1], rows[0]) << year;
    }
}

// A descriptive text is cut to its column, in every version: the sheet's main diagnosis
// (PREGLED 500 characters, the expert commission 400, from NRD 2006) on a sheet that
// issues every document. One character under the room is kept whole.
TEST_F(EngineTest, DescriptiveTextLongerThanItsColumnIsCutNotRefused) {
    const struct Column {
        const char* select;  // the text's length, of the examination :E
        std::size_t room;
    } columns[] = {
        {"SELECT CHAR_LENGTH(MAIN_DIAG_OPIS) FROM PREGLED WHERE ID = :E", 500},
        {"SELECT CHAR_LENGTH(ICD_CODE_OPIS) FROM EXAM_LKK WHERE PREGLED_ID = :E", 400},
    };
    int sheet = 0;
    for (const int year : {2006, 2021, 2022}) {
        // What each column holds of a short diagnosis beside the diagnosis itself.
        std::vector<std::int64_t> besides;
        for (const std::size_t length : {10, 399, 400, 401, 499, 500, 501, 600}) {
            const std::string label = std::to_string(year) + "/" + std::to_string(length);
            SheetInput s;
            s.noAl = std::to_string(++sheet);
            for (std::size_t i = 0; i < length; ++i)
                s.mainName += "Я";
            s.extra = testing::sampleDocuments(year);
            run(year, withSheets({s}), under(addDoctor("04" + std::to_string(sheet), 1)));
            const common::Variant exam =
                value("SELECT ID FROM PREGLED WHERE AMB_LISTN = :N", {{"N", s.noAl}});
            ASSERT_FALSE(common::isNull(exam)) << label;
            for (std::size_t c = 0; c < std::size(columns); ++c) {
                const auto held = std::get<std::int64_t>(value(columns[c].select, {{"E", exam}}));
                if (length == 10) {
                    besides.push_back(held - 10);
                    continue;
                }
                EXPECT_EQ(held, std::min<std::int64_t>(
                                    static_cast<std::int64_t>(length) + besides[c],
                                    static_cast<std::int64_t>(columns[c].room)))
                    << label << ": " << columns[c].select;
            }
        }
    }
}

}  // namespace
}  // namespace kalvex::engine
