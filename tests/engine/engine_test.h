#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/logger.h"
#include "common/variant.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "engine/run/do_import.h"
#include "ereport/xml_report.h"
#include "support/practice_database.h"
#include "support/report_builder.h"
#include "support/temp_dir.h"

namespace kalvex::engine {

// The user of a test run: answers from a script, and a record of what it was shown.
class ScriptedUser final : public ImportUser {
  public:
    std::deque<bool> yesNo;                         // popped per question; No when empty
    std::deque<std::optional<std::string>> inputs;  // popped per input; cancel when empty
    std::vector<std::string> actions, countTexts, questions, prompts, messages, memo;
    int position = 0, maximum = 0;

    void setActionText(const std::string& text) override { actions.push_back(text); }
    void setCountText(const std::string& text) override { countTexts.push_back(text); }
    void setProgress(int p, int m) override { position = p, maximum = m; }
    bool askYesNo(const std::string&, const std::string& question) override {
        questions.push_back(question);
        if (yesNo.empty())
            return false;
        const bool answer = yesNo.front();
        yesNo.pop_front();
        return answer;
    }
    std::optional<std::string> inputText(const std::string& caption, const std::string& prompt,
                                         const std::string&) override {
        prompts.push_back(caption + "|" + prompt);
        if (inputs.empty())
            return std::nullopt;
        auto answer = inputs.front();
        inputs.pop_front();
        return answer;
    }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void LogToMemo(const std::string& message) override { memo.push_back(message); }
};

// A report of the one default doctor with these sheets.
inline testing::ReportInput withSheets(std::vector<testing::SheetInput> sheets) {
    testing::ReportInput report;
    report.doctors[0].sheets = std::move(sheets);
    return report;
}

// A column value as the tests compare it: text, a number's digits, or "NULL".
inline std::string text(const common::Variant& v) {
    if (const auto* s = std::get_if<std::string>(&v))
        return *s;
    if (const auto* n = std::get_if<std::int64_t>(&v))
        return std::to_string(*n);
    return common::isNull(v) ? "NULL" : "?";
}

inline int nrdIndex(int year) {
    const auto index = ereport::XmlReport::versionIndex(std::to_string(year));
    if (!index)
        throw std::invalid_argument("no NRD " + std::to_string(year));
    return *index;
}

// A fresh practice database, a log and a scripted user; `run` imports an e-report.
class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        db::GDBOpenDatabase(dm, database.path());
        logger = std::make_unique<common::TLogger>(dir.file("kalvex.log"));
        logger->OnLog = [this](const std::string& line) { log.push_back(line); };
        common::AppLogger = logger.get();
        log.clear();
    }
    void TearDown() override {
        logger->OnLog = nullptr;
        common::AppLogger = nullptr;
    }

    ImportCounts run(int year, const testing::ReportInput& report, ImportSettings settings = {}) {
        const std::string file = dir.file("report" + std::to_string(++files) + ".xml");
        testing::writeBytes(file, testing::reportXml(report));
        settings.nrdIndex = nrdIndex(year);
        xml.XMLLoadFile(settings.nrdIndex, file);
        return DoImport(dm, xml, settings, user);
    }

    common::Variant value(const std::string& sql, const db::Params& params = {}) {
        return dm.SqlToValue(sql, params);
    }
    std::int64_t count(const std::string& tableAndCondition) {
        return std::get<std::int64_t>(value("SELECT COUNT(*) FROM " + tableAndCondition));
    }
    // Compares the columns of the one row "SELECT ... <from>" finds with their expected
    // texts (a date as yyyy-mm-dd); `label` names the case in a failure.
    using Expected = std::vector<std::pair<const char*, const char*>>;
    void expectColumns(const std::string& from, const Expected& columns, const std::string& label,
                       const db::Params& params = {}) {
        for (const auto& [column, expected] : columns) {
            const std::string name = column;
            const std::string expr =
                name.find("DATE") != std::string::npos ? "CAST(" + name + " AS VARCHAR(10))" : name;
            EXPECT_EQ(text(value("SELECT " + expr + " " + from, params)), expected)
                << label << ": " << name;
        }
    }
    std::int32_t addDoctor(const std::string& uin, std::int32_t speciality,
                           const std::string& egn = "") {
        value(
            "INSERT INTO DOCTOR (UIN, SPECIALITY_ID, EGN, FNAME, LNAME) VALUES (:U, :S, :E, "
            "'Мария', 'Петрова')",
            {{"U", uin}, {"S", std::int64_t{speciality}}, {"E", egn}});
        return static_cast<std::int32_t>(
            std::get<std::int64_t>(value("SELECT MAX(ID) FROM DOCTOR")));
    }
    // Settings of a run under the database doctor `doctorId`.
    static ImportSettings under(std::int32_t doctorId, int edition = 0) {
        ImportSettings s;
        s.databaseDoctorId = doctorId;
        s.edition = edition;
        return s;
    }

    testing::TempDir dir;
    testing::PracticeDatabase database;
    db::Tdm dm;
    ereport::XmlReport xml;
    ScriptedUser user;
    std::unique_ptr<common::TLogger> logger;
    std::vector<std::string> log;
    int files = 0;
};

}  // namespace kalvex::engine
