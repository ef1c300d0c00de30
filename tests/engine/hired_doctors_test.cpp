// Hired and substitute doctors named on the sheets: when the user is asked, what is
// asked, the doctor row created, and the sheet then written under that doctor.
#include <optional>

#include "engine_test.h"
#include "support/sample_documents.h"
#include "support/written_tables.h"

namespace kalvex::engine {
namespace {

using testing::ReportInput;
using testing::SheetInput;

constexpr const char* kQuestion =
    "Kalvex откри, че преглед с номер %NOAL% е извършен от нает/заместващ д-р %NAME%. Искате ли "
    "да импортирате този доктор в базата? За целта е нужно да въведете ЕГН!";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

std::string question(const std::string& noAl, const std::string& name) {
    return replaced(replaced(kQuestion, "%NOAL%", noAl), "%NAME%", name);
}

std::string egnPrompt(const std::string& noAl, const std::string& name) {
    return "Импорт нает/заместващ лекар|Salvix трябва да импортира данните за нает/заместващ "
           "лекар на АЛ " +
           noAl + ". Моля въведете ЕГН на д-р " + name;
}

std::string takenPrompt(const std::string& egn) {
    return "Импорт заместващ/нает доктор|Доктор с ЕГН " + egn +
           " вече съществува в базата на Salvix. Моля въведете друго ЕГН";
}

std::string hiredXml(const std::string& flag, const std::string& uin, const std::string& name) {
    return "<Hired_Subst>" + flag + "<UINH_S>" + uin + "</UINH_S><FullNameH_S>" + name +
           "</FullNameH_S></Hired_Subst>";
}

SheetInput sheet(const std::string& noAl, const std::string& extra) {
    SheetInput s;
    s.noAl = noAl;
    s.extra = extra;
    return s;
}

ReportInput report(std::vector<SheetInput> sheets) {
    ReportInput r;
    r.doctors[0].sheets = std::move(sheets);
    return r;
}

class HiredDoctorsTest : public EngineTest {
  protected:
    // The reporting doctor, a general practitioner (SPECIALITY 1, code "00").
    void SetUp() override {
        EngineTest::SetUp();
        reporting = addDoctor("0400000001", 1);
    }
    std::string doctorColumn(const std::string& uin, const std::string& column) {
        return std::get<std::string>(
            value("SELECT COALESCE(" + column + ", '') FROM DOCTOR WHERE UIN = :U", {{"U", uin}}));
    }
    std::int64_t doctorId(const std::string& uin) {
        const common::Variant id = value("SELECT ID FROM DOCTOR WHERE UIN = :U", {{"U", uin}});
        return common::isNull(id) ? 0 : std::get<std::int64_t>(id);
    }
    // DOCTOR_ID, IS_NAET and IS_ZAMESTVASHT of the examination of sheet `noAl`.
    std::string examination(const std::string& noAl) {
        const auto row = dm.ReadSqlValues(
            "SELECT DOCTOR_ID, IS_NAET, IS_ZAMESTVASHT FROM PREGLED WHERE AMB_LISTN = :N",
            {{"N", noAl}});
        if (common::isNull(row[0]))
            return "none";
        return std::to_string(std::get<std::int64_t>(row[0])) + " " +
               std::get<std::string>(row[1]) + std::get<std::string>(row[2]);
    }

    std::int32_t reporting = 0;
};

TEST_F(HiredDoctorsTest, NoQuestionWithoutAHiredUinOrForADoctorAlreadyThere) {
    addDoctor("2300000009", 3);
    const struct {
        int year;
        std::string extra;
    } cases[] = {
        {2022, ""},
        {2022, hiredXml("<H_S>1</H_S>", "", "Петър Колев")},
        {2022, "<Hired_Subst><H_S>1</H_S></Hired_Subst>"},
        {2022, hiredXml("<H_S>1</H_S>", "2300000009", "Петър Колев")},
        {2018, ""},
        {2018, hiredXml("<H_S>1</H_S>", "", "Петър Колев")},
        {2018, hiredXml("<H_S>1</H_S>", "2300000009", "Петър Колев")},
    };
    int noAl = 100;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + " " + c.extra);
        user.yesNo = {true};
        user.questions.clear();
        const ImportCounts counts =
            run(c.year, report({sheet(std::to_string(++noAl), c.extra)}), under(reporting));
        EXPECT_TRUE(user.questions.empty());
        EXPECT_TRUE(user.prompts.empty());
        EXPECT_EQ(count("DOCTOR"), 2);
        EXPECT_EQ(counts[RowKind::doctor].written + counts[RowKind::doctor].skipped(), 0);
    }
}

TEST_F(HiredDoctorsTest, CreatesTheDoctorWithItsNameSplitAndItsKindAndWritesTheSheetUnderIt) {
    const struct {
        int year;
        std::string flag, uin, fullName;
        std::string egn, first, middle, last, naetZam;
    } cases[] = {
        {2022, "<H_S>1</H_S>", "2300000009", " Петър Иванов Колев ", "7501020018", "Петър",
         "Иванов", "Колев", "NY"},
        {2022, "<H_S>0</H_S>", "2300000010", "Петър Колев", "8001010008", "Петър", "", "Колев",
         "YN"},
        {2022, "", "2300000011", "Колев", "6903151236", "", "", "Колев", "YN"},
        {2022, "<H_S>true</H_S>", "2300000012", "Петър Иванов Стоянов Колев", "8205124562", "Петър",
         "Иванов Стоянов", "Колев", "YN"},
        {2018, "<H_S>true</H_S>", "2300000013", "Петър Иванов Колев", "9107073333", "Петър",
         "Иванов", "Колев", "NY"},
        {2006, "<H_S>0</H_S>", "2300000014", "Петър Иванов Колев", "6502207779", "Петър", "Иванов",
         "Колев", "YN"},
    };
    int noAl = 200;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + " " + c.uin);
        const std::string number = std::to_string(++noAl);
        user.questions.clear();
        user.prompts.clear();
        user.yesNo = {true};
        user.inputs = {c.egn};
        const ImportCounts counts = run(
            c.year, report({sheet(number, hiredXml(c.flag, c.uin, c.fullName))}), under(reporting));

        EXPECT_EQ(user.questions, std::vector<std::string>{question(number, c.fullName)});
        EXPECT_EQ(user.prompts, std::vector<std::string>{egnPrompt(number, c.fullName)});
        EXPECT_EQ(doctorColumn(c.uin, "EGN"), c.egn);
        EXPECT_EQ(doctorColumn(c.uin, "FNAME"), c.first);
        EXPECT_EQ(doctorColumn(c.uin, "SNAME"), c.middle);
        EXPECT_EQ(doctorColumn(c.uin, "LNAME"), c.last);
        EXPECT_EQ(doctorColumn(c.uin, "IS_NAET || IS_ZAMESTVASHT || IS_PODVIZHNO_LZ || IS_EGN"),
                  c.naetZam + "NY");
        EXPECT_EQ(doctorColumn(c.uin, "SPECIALITY_ID"), "1");
        EXPECT_EQ(counts[RowKind::doctor].written, 1);
        EXPECT_EQ(examination(number), std::to_string(doctorId(c.uin)) + " " + c.naetZam);
    }
}

TEST_F(HiredDoctorsTest, TheEgnPromptAsksUntilAValidNumber) {
    user.yesNo = {true};
    user.inputs = {std::nullopt, "", "7501020019", "12345", "7501020018"};
    run(2022, report({sheet("301", hiredXml("<H_S>1</H_S>", "2300000009", "Петър Колев"))}),
        under(reporting));
    EXPECT_EQ(user.prompts.size(), 5u);
    EXPECT_EQ(user.messages, (std::vector<std::string>{"Невалидно ЕГН!", "Невалидно ЕГН!"}));
    EXPECT_EQ(doctorColumn("2300000009", "EGN"), "7501020018");
}

TEST_F(HiredDoctorsTest, ANumberAlreadyTakenAsksForAnotherOrSkipsTheDoctor) {
    addDoctor("0500000002", 1, "7501020018");
    addDoctor("0500000003", 1, "8001010008");
    const std::string id = std::to_string(reporting);
    const struct {
        std::string uin;
        std::deque<std::optional<std::string>> answers;
        std::vector<std::string> takenPrompts;  // after the first EGN prompt
        std::vector<std::string> messages;
        std::string egnWritten;  // empty: no doctor
    } cases[] = {
        {"2300000020", {"7501020018", ""}, {takenPrompt("7501020018")}, {}, ""},
        {"2300000021", {"7501020018", std::nullopt}, {takenPrompt("7501020018")}, {}, ""},
        {"2300000022",
         {"7501020018", "8001010008", "6903151236"},
         {takenPrompt("7501020018"), takenPrompt("8001010008")},
         {},
         "6903151236"},
        // Free but not valid: refused, and the same prompt again.
        {"2300000023",
         {"7501020018", "12345", "8205124562"},
         {takenPrompt("7501020018"), takenPrompt("7501020018")},
         {"Невалидно ЕГН!"},
         "8205124562"},
        {"2300000024",
         {"7501020018", "12345", ""},
         {takenPrompt("7501020018"), takenPrompt("7501020018")},
         {"Невалидно ЕГН!"},
         ""},
    };
    int noAl = 400;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uin);
        const std::string number = std::to_string(++noAl);
        user.prompts.clear();
        user.messages.clear();
        user.yesNo = {true};
        user.inputs = c.answers;
        const ImportCounts counts =
            run(2022, report({sheet(number, hiredXml("<H_S>1</H_S>", c.uin, "Петър Колев"))}),
                under(reporting));
        std::vector<std::string> expected{egnPrompt(number, "Петър Колев")};
        expected.insert(expected.end(), c.takenPrompts.begin(), c.takenPrompts.end());
        EXPECT_EQ(user.prompts, expected);
        EXPECT_EQ(user.messages, c.messages);
        EXPECT_TRUE(user.inputs.empty());
        if (c.egnWritten.empty()) {
            EXPECT_EQ(doctorId(c.uin), 0);
            EXPECT_EQ(counts[RowKind::doctor].skipped(), 1);
            EXPECT_EQ(examination(number), id + " NN");
        } else {
            EXPECT_EQ(doctorColumn(c.uin, "EGN"), c.egnWritten);
            EXPECT_EQ(examination(number), std::to_string(doctorId(c.uin)) + " NY");
        }
    }
}

TEST_F(HiredDoctorsTest, ARunDoctorWithoutSpecialityCreatesNoHiredDoctor) {
    const struct {
        int year;
        std::int32_t speciality;  // of the run doctor
    } cases[] = {{2022, 0}, {2009, 0}, {2005, 99}};
    int noAl = 500;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        const std::int32_t doctor =
            addDoctor("05000000" + std::to_string(noAl % 100), c.speciality);
        const std::string number = std::to_string(++noAl);
        log.clear();
        user.yesNo = {true};
        user.inputs = {"7501020018"};
        const ImportCounts counts = run(
            c.year,
            report({sheet(number, hiredXml("<H_S>1</H_S>", "2300000009", " Петър Иванов Колев "))}),
            under(doctor));
        EXPECT_EQ(doctorId("2300000009"), 0);
        EXPECT_EQ(counts[RowKind::doctor].skipped(), 1);
        EXPECT_NE(std::find(log.begin(), log.end(),
                            "Импортиране на нает/заместващ д-р: Код на специалност на д-р Петър "
                            "Иванов Колев липсва в базата на Salvix. Лекаря няма да бъде "
                            "импортиран"),
                  log.end());
        EXPECT_EQ(examination(number), std::to_string(doctor) + " NN");
    }
}

TEST_F(HiredDoctorsTest, TheSameDoctorOnTwoSheetsIsAskedOnceUnlessDeclined) {
    const struct {
        bool yes;
        std::size_t questions;
        std::string noAl1, noAl2;
    } cases[] = {{false, 2, "601", "602"}, {true, 1, "603", "604"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.yes);
        user.questions.clear();
        user.yesNo = {c.yes, c.yes};
        user.inputs = {"7501020018"};
        const std::string hired = hiredXml("<H_S>0</H_S>", "2300000009", "Петър Колев");
        const ImportCounts counts =
            run(2022, report({sheet(c.noAl1, hired), sheet(c.noAl2, hired)}), under(reporting));
        EXPECT_EQ(user.questions.size(), c.questions);
        const std::string expected = c.yes ? std::to_string(doctorId("2300000009")) + " YN"
                                           : std::to_string(reporting) + " NN";
        EXPECT_EQ(examination(c.noAl1), expected);
        EXPECT_EQ(examination(c.noAl2), expected);
        EXPECT_EQ(counts[RowKind::doctor].written, c.yes ? 1 : 0);
        EXPECT_EQ(counts[RowKind::doctor].skipped(), c.yes ? 0 : 2);
    }
}

// A sheet is one examination under either of its doctors: a run that declined the hired
// doctor wrote it under the run's doctor, and the run that creates him finds it there,
// leaves it where it is and writes none of its documents again; so does a later import.
TEST_F(HiredDoctorsTest, ASheetWrittenUnderEitherDoctorIsNotWrittenAgain) {
    const struct {
        int year;
        bool createdFirst;  // the first run creates the hired doctor
        std::string uin, egn;
    } cases[] = {
        {2022, false, "2300000050", "7501020018"},
        {2021, false, "2300000051", "8001010008"},
        {2006, false, "2300000052", "6903151236"},
        {2022, true, "2300000053", "8205124562"},
    };
    int noAl = 900;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + (c.createdFirst ? " created first" : " declined"));
        const std::string number = std::to_string(++noAl);
        const ReportInput sheets =
            report({sheet(number, hiredXml("<H_S>0</H_S>", c.uin, "Петър Колев") +
                                      testing::sampleDocuments(c.year))});
        const auto rows = [&] {
            std::vector<std::int64_t> counts;
            for (const std::string& table : testing::tablesWrittenBy(c.year))
                counts.push_back(count(table));
            return counts;
        };
        user.yesNo = {c.createdFirst};
        user.inputs = {c.egn};
        run(c.year, sheets, under(reporting));
        const std::string writtenUnder = examination(number);
        EXPECT_EQ(writtenUnder, c.createdFirst ? std::to_string(doctorId(c.uin)) + " YN"
                                               : std::to_string(reporting) + " NN");
        const std::vector<std::int64_t> written = rows();
        for (int again = 0; again < 2; ++again) {
            log.clear();
            user.yesNo = {true};
            user.inputs = {c.egn};
            const ImportCounts counts = run(c.year, sheets, under(reporting));
            EXPECT_NE(doctorId(c.uin), 0);
            EXPECT_EQ(examination(number), writtenUnder);
            EXPECT_EQ(rows(), written);
            EXPECT_EQ(counts[RowKind::examination].written, 0);
            EXPECT_EQ(counts[RowKind::examination].existing, 1);
            EXPECT_NE(std::find(log.begin(), log.end(),
                                "Импортиране на АЛ: Амб. лист с номер " + number +
                                    " вече съществува в базата"),
                      log.end());
        }
    }
}

// NRD 2005 gave the new doctor its run doctor's speciality code, not the key.
TEST_F(HiredDoctorsTest, TheSpecialityWrittenIsTheKeyOrIn2005TheCode) {
    const std::int32_t cardiologist = addDoctor("0500000002", 3);  // code "05"
    const struct {
        int year;
        std::string uin, egn, speciality;
    } cases[] = {{2005, "2300000030", "7501020018", "5"},
                 {2008, "2300000031", "8001010008", "3"},
                 {2022, "2300000032", "6903151236", "3"}};
    int noAl = 700;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        user.yesNo = {true};
        user.inputs = {c.egn};
        run(c.year, report({sheet(std::to_string(++noAl), hiredXml("<H_S>1</H_S>", c.uin, "А Б"))}),
            under(cardiologist));
        EXPECT_EQ(doctorColumn(c.uin, "SPECIALITY_ID"), c.speciality);
    }
}

// Before NRD 2022 a sheet whose doctor cannot be created is logged and passed over.
TEST_F(HiredDoctorsTest, OlderVersionsLogAFailedSheetAndCheckTheNext) {
    const std::string noFlag =
        "<Hired_Subst><UINH_S>2300000040</UINH_S><FullNameH_S>А Б"
        "</FullNameH_S></Hired_Subst>";
    user.yesNo = {true, true};
    user.inputs = {"7501020018", "8001010008"};
    const ImportCounts counts = run(
        2015,
        report({sheet("801", noFlag), sheet("802", hiredXml("<H_S>1</H_S>", "2300000041", "В Г"))}),
        under(reporting));
    EXPECT_EQ(user.questions.size(), 2u);
    EXPECT_EQ(doctorId("2300000040"), 0);
    EXPECT_EQ(doctorColumn("2300000041", "EGN"), "8001010008");
    EXPECT_NE(std::find(log.begin(), log.end(),
                        "Импортиране на нает/заместващ д-р: Could not convert variant of type "
                        "(Null) into type (Boolean)"),
              log.end());
    EXPECT_EQ(counts[RowKind::doctor].skipped(), 1);
    EXPECT_EQ(counts[RowKind::doctor].written, 1);
}

}  // namespace
}  // namespace kalvex::engine
