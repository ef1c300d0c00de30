#include "engine/journal/run_journal.h"

#include <string_view>

#include "common/date_time.h"
#include "db/dry_run.h"
#include "db/transaction.h"

namespace kalvex::engine {
namespace {

// The journal's tables as schema/05_journal.sql has them.
constexpr std::string_view kJournalDdl[] = {
    "CREATE TABLE KALVEX_RUN (ID INTEGER NOT NULL PRIMARY KEY, STARTED TIMESTAMP NOT NULL, "
    "FINISHED TIMESTAMP, STATE VARCHAR(20) NOT NULL, NRD VARCHAR(60), EDITION INTEGER, "
    "FILES VARCHAR(8000), DOCTORS VARCHAR(1000), ROWS_WRITTEN INTEGER, GENERATORS_START "
    "VARCHAR(8000), GENERATORS_END VARCHAR(8000), UNDONE_AT TIMESTAMP)",
    "CREATE TABLE KALVEX_RUN_ROWS (ID INTEGER NOT NULL PRIMARY KEY, RUN_ID INTEGER NOT NULL, "
    "ENTRIES VARCHAR(30000) NOT NULL)",
    "CREATE GENERATOR GEN_KALVEX_RUN",
    "CREATE GENERATOR GEN_KALVEX_RUN_ROWS",
};

// A batch of lines holds at most what one KALVEX_RUN_ROWS.ENTRIES takes.
constexpr std::size_t kBatchBytes = 30000;

// "NAME=VALUE" lines of every generator.
std::string generatorsText(db::Tdm& dm) {
    std::string text;
    for (const db::GeneratorValue& g : db::takeGenerators(dm))
        text += g.name + "=" + std::to_string(g.value) + "\n";
    return text;
}


// "3, 7": the database doctors the run's sheets went to.
std::string doctorsText(const std::vector<std::int32_t>& doctors) {
    std::string text;
    for (const std::int32_t id : doctors)
        text += (text.empty() ? "" : ", ") + std::to_string(id);
    return text.substr(0, 1000);
}

int rowsWritten(const ImportCounts& counts) {
    int rows = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(RowKind::kindCount); ++i)
        rows += counts[static_cast<RowKind>(i)].written;
    return rows;
}

}  // namespace

void ensureJournalTables(db::Tdm& dm) {
    if (!common::isNull(dm.SqlToValue(
            "SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'KALVEX_RUN_ROWS'")))
        return;
    // Metadata goes in a short transaction of its own: the run's transaction then sees
    // the tables as committed ones.
    db::Transaction ddl(dm.dbMain);
    ddl.start();
    {
        db::Statement statement(ddl);
        for (const std::string_view sql : kJournalDdl) {
            statement.setSql(std::string(sql));
            statement.execute();
        }
    }
    ddl.commit();
}

void beginJournal(db::Tdm& dm, RunLedger& ledger, const JournalRun& run) {
    ensureJournalTables(dm);
    std::string files;
    for (const std::string& file : run.files)
        files += (files.empty() ? "" : "\n") + file;
    const common::Variant id = dm.SqlToValue(
        "INSERT INTO KALVEX_RUN (ID, STARTED, STATE, NRD, EDITION, FILES, DOCTORS, "
        "GENERATORS_START) VALUES (GEN_ID(GEN_KALVEX_RUN, 1), :STARTED, 'stopped', :NRD, "
        ":EDITION, :FILES, :DOCTORS, :GENERATORS) RETURNING ID",
        {{"STARTED", common::now()},
         {"NRD", run.nrd.substr(0, 60)},
         {"EDITION", std::int64_t{run.edition}},
         {"FILES", files.substr(0, 8000)},
         {"DOCTORS", run.doctors.substr(0, 1000)},
         {"GENERATORS", generatorsText(dm)}});
    ledger.journalRun = static_cast<std::int32_t>(std::get<std::int64_t>(id));
}

void flushJournal(db::Tdm& dm, RunLedger& ledger) {
    if (ledger.journalRun == 0)
        return;
    const std::vector<std::string> lines = ledger.takeJournal();
    std::string batch;
    const auto write = [&] {
        if (batch.empty())
            return;
        dm.SqlToValue(
            "INSERT INTO KALVEX_RUN_ROWS (ID, RUN_ID, ENTRIES) VALUES "
            "(GEN_ID(GEN_KALVEX_RUN_ROWS, 1), :RUN, :ENTRIES)",
            {{"RUN", std::int64_t{ledger.journalRun}}, {"ENTRIES", batch}});
        batch.clear();
    };
    for (const std::string& line : lines) {
        if (batch.size() + line.size() + 1 > kBatchBytes)
            write();
        batch += line + "\n";
    }
    write();
}

void endJournal(db::Tdm& dm, RunLedger& ledger, bool stopped) {
    if (ledger.journalRun == 0)
        return;
    flushJournal(dm, ledger);
    dm.SqlToValue(
        "UPDATE KALVEX_RUN SET FINISHED = :FINISHED, STATE = :STATE, ROWS_WRITTEN = :ROWS, "
        "DOCTORS = :DOCTORS, GENERATORS_END = :GENERATORS WHERE ID = :ID",
        {{"FINISHED", common::now()},
         {"DOCTORS", doctorsText(ledger.doctors)},
         {"STATE", std::string(stopped ? "stopped" : "completed")},
         {"ROWS", std::int64_t{rowsWritten(ledger.counts())}},
         {"GENERATORS", generatorsText(dm)},
         {"ID", std::int64_t{ledger.journalRun}}});
}

std::string journalValueText(const common::Variant& value) {
    const auto* text = std::get_if<std::string>(&value);
    if (text == nullptr)
        return "-";
    std::string out = "=";
    for (const char c : *text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::string insertLine(const std::string& table, std::int32_t id, std::int64_t fingerprint) {
    return "I\t" + table + "\t" + std::to_string(id) + "\t" + std::to_string(fingerprint);
}

std::string updateLine(const std::string& table, std::int32_t id, const std::string& column,
                       const common::Variant& before, const common::Variant& after) {
    return "U\t" + table + "\t" + std::to_string(id) + "\t" + column + "\t" +
           journalValueText(before) + "\t" + journalValueText(after);
}

}  // namespace kalvex::engine
