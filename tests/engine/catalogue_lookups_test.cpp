// The catalogues' answers held in memory for a run: they must leave every row the import
// writes as the database's own answers leave it.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "engine/run/doctor_driver.h"
#include "engine/engine_test.h"
#include "engine/run/run_end.h"
#include "engine/sheet/sheet_number.h"
#include "import/report_generator.h"
#include "support/table_contents.h"

namespace kalvex::engine {
namespace {

// A time the run writes into a row ("Импортиран чрез Kalvex на <time>") is the only
// thing two imports of one report may differ in.
testing::TableContents withoutRunTimes(testing::TableContents contents) {
    static const std::regex time("Kalvex на [0-9.-]+ [0-9:]+");
    for (auto& [table, lines] : contents)
        for (std::string& line : lines)
            line = std::regex_replace(line, time, "Kalvex на <time>");
    return contents;
}

// Imports the report into a fresh database of its own as DoImport does, with the
// catalogues' answers remembered or each read from the database; that database's rows.
testing::TableContents importedRows(const std::string& report, bool remembering) {
    testing::PracticeDatabase database;
    db::Tdm dm;
    db::GDBOpenDatabase(dm, database.path());
    ereport::XmlReport xml;
    ImportSettings settings;
    settings.createDoctorIfMissing = true;
    xml.XMLLoadFile(settings.nrdIndex, report);
    ScriptedUser user;
    RunLedger ledger;
    {
        RunContext<Nrd2022> run(dm, xml.bound<Nrd2022::index>(), settings, user, ledger);
        run.catalogues.setRemembering(remembering);
        run.CurrentDoctor = run.report.doctor;
        ImportDoctor<Nrd2022>(run);
    }
    endRun(dm, ledger, nullptr, false);
    db::GDBCloseDatabase(dm);
    return withoutRunTimes(testing::tableContents(database.path()));
}

// 500 sheets issue every kind of document, several of them many times over, from
// catalogue codes that repeat between sheets and codes the catalogues lack.
TEST(CatalogueLookups, LeaveEveryRowOfAGeneratedReportAsTheDatabaseAnswersDo) {
    const bench::GeneratedReport generated = bench::generateReport(500, 20);
    for (std::size_t kind = 1; kind < static_cast<std::size_t>(RowKind::kindCount); ++kind)
        ASSERT_GT(generated.expected[static_cast<RowKind>(kind)].written, 0) << "kind " << kind;
    testing::TempDir dir;
    const std::string report = dir.file("report.xml");
    testing::writeBytes(report, testing::reportXml(generated.input));

    const testing::TableContents remembered = importedRows(report, true);
    const testing::TableContents asked = importedRows(report, false);
    ASSERT_EQ(remembered.size(), asked.size());
    for (const auto& [table, lines] : asked) {
        const auto& other = remembered.at(table);
        ASSERT_EQ(other.size(), lines.size()) << table;
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(other[i], lines[i]) << table << " row " << i + 1;
    }
}

class CatalogueKeys : public EngineTest {};

// Codes that the statement itself tells apart must never share an answer: the same
// digits as a number or a text, with zeros in front, empty, or longer than the column.
TEST_F(CatalogueKeys, AnswerEachBindingAsTheDatabaseDoes) {
    const std::string sql =
        "SELECT FIRST(1) ID FROM SPECIALITY WHERE " + sameNumber("CODE", "CODE") + " ORDER BY ID";
    const std::string plain = "SELECT FIRST(1) ID FROM SPECIALITY WHERE CODE = :CODE ORDER BY ID";
    // Cardiology is "05" (and an old, no longer effective "05" after it).
    const struct {
        const std::string* sql;
        common::Variant code;
    } cases[] = {
        {&sql, "5"},   {&sql, "05"},   {&sql, "005"},          {&sql, std::string()},
        {&plain, "5"}, {&plain, "05"}, {&plain, std::int64_t{5}}, {&plain, std::string()},
        {&sql, std::string(40, '5')},
    };
    CatalogueLookups lookups(dm);
    for (int pass = 0; pass < 2; ++pass)
        for (const auto& c : cases)
            EXPECT_EQ(lookups.SqlToValue(*c.sql, {{"CODE", c.code}}),
                      dm.SqlToValue(*c.sql, {{"CODE", c.code}}))
                << *c.sql << " with " << text(c.code) << ", pass " << pass + 1;
}

}  // namespace
}  // namespace kalvex::engine
