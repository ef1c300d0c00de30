#include "engine/journal/run_history.h"

#include <sstream>

#include "common/formats.h"
#include "engine/run/json_text.h"

namespace kalvex::engine {
namespace {

std::string moment(const common::Variant& value) {
    const auto* at = std::get_if<common::DateTime>(&value);
    return at == nullptr ? std::string() : common::FormatDateTime("yyyy-mm-dd hh:nn:ss", *at);
}

std::string text(const common::Variant& value) {
    const auto* t = std::get_if<std::string>(&value);
    return t == nullptr ? std::string() : *t;
}

}  // namespace

std::vector<RunRecord> journaledRuns(db::Tdm& dm) {
    std::vector<RunRecord> runs;
    if (common::isNull(
            dm.SqlToValue("SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'KALVEX_RUN'")))
        return runs;
    db::Statement& rows = dm.GetResultSet(
        "SELECT ID, STARTED, FINISHED, STATE, NRD, FILES, DOCTORS, ROWS_WRITTEN FROM KALVEX_RUN "
        "ORDER BY ID");
    for (bool row = dm.hasRow(); row; row = rows.fetch()) {
        RunRecord run;
        run.id = static_cast<std::int32_t>(std::get<std::int64_t>(rows.column(0)));
        run.started = moment(rows.column(1));
        run.finished = moment(rows.column(2));
        run.state = text(rows.column(3));
        run.nrd = text(rows.column(4));
        std::istringstream files(text(rows.column(5)));
        for (std::string file; std::getline(files, file);)
            run.files.push_back(file);
        run.doctors = text(rows.column(6));
        const common::Variant rowsWritten = rows.column(7);
        if (const auto* n = std::get_if<std::int64_t>(&rowsWritten))
            run.rows = *n;
        runs.push_back(std::move(run));
    }
    return runs;
}

std::vector<std::string> runsLines(const std::vector<RunRecord>& runs) {
    std::vector<std::string> lines{
        "ID\tЗапочнат\tЗавършен\tСъстояние\tНРД\tФайлове\tЛекари\tЗаписани редове"};
    for (const RunRecord& run : runs) {
        std::string files;
        for (const std::string& file : run.files)
            files += (files.empty() ? "" : ", ") + file;
        lines.push_back(std::to_string(run.id) + "\t" + run.started + "\t" + run.finished + "\t" +
                        run.state + "\t" + run.nrd + "\t" + files + "\t" + run.doctors + "\t" +
                        std::to_string(run.rows));
    }
    return lines;
}

std::string runsJson(const std::vector<RunRecord>& runs) {
    std::string json = "[";
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const RunRecord& run = runs[i];
        std::string files;
        for (const std::string& file : run.files)
            files += (files.empty() ? "" : ", ") + jsonQuoted(file);
        json += std::string(i == 0 ? "" : ", ") + "{\"id\": " + std::to_string(run.id) +
                ", \"started\": " + jsonQuoted(run.started) + ", \"finished\": " +
                (run.finished.empty() ? "null" : jsonQuoted(run.finished)) +
                ", \"state\": " + jsonQuoted(run.state) + ", \"nrd\": " + jsonQuoted(run.nrd) +
                ", \"files\": [" + files + "], \"doctors\": " + jsonQuoted(run.doctors) +
                ", \"rows\": " + std::to_string(run.rows) + "}";
    }
    return json + "]";
}

}  // namespace kalvex::engine
