#include "engine/journal/run_undo.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <utility>

#include "common/characters.h"
#include "db/database_error.h"
#include "db/dry_run.h"
#include "engine/journal/row_fingerprint.h"
#include "engine/run/json_text.h"
#include "engine/journal/run_journal.h"

namespace kalvex::engine {
namespace {

// Which column of which table points at a row of which other table.
struct Reference {
    const char* child;
    const char* column;
    const char* parent;
};

constexpr Reference kReferences[] = {
    {"PACIENT", "DOCTOR_ID", "DOCTOR"},
    {"PREGLED", "PACIENT_ID", "PACIENT"},
    {"PREGLED", "DOCTOR_ID", "DOCTOR"},
    {"PREGLED", "EXAM_BOLN_LIST_ID", "EXAM_BOLN_LIST"},
    {"BLANKA_MED_NAPR", "PREGLED_ID", "PREGLED"},
    {"BLANKA_MDN", "PREGLED_ID", "PREGLED"},
    {"NZIS_MDN", "PREGLED_ID", "PREGLED"},
    {"NZIS_MDN", "PATIENT_ID", "PACIENT"},
    {"NZIS_MDN", "DOCTOR_ID", "DOCTOR"},
    {"EXAM_ANALYSIS", "PREGLED_ID", "PREGLED"},
    {"EXAM_ANALYSIS", "BLANKA_MDN_ID", "BLANKA_MDN"},
    {"BLANKA_MED_NAPR_3A", "PREGLED_ID", "PREGLED"},
    {"EXAM_LKK", "PREGLED_ID", "PREGLED"},
    {"EXAM_LKK_DOCTOR", "EXAM_LKK_ID", "EXAM_LKK"},
    {"BLANKA_NAPR_TELK", "PREGLED_ID", "PREGLED"},
    {"HOSPITALIZATION", "PREGLED_ID", "PREGLED"},
    {"EXAM_IMMUNIZATION", "PREGLED_ID", "PREGLED"},
    {"FREE_RECIPE", "PREGLED_ID", "PREGLED"},
    {"EXAM_BOLN_LIST", "PREGLED_ID", "PREGLED"},
};

// Children before their parents.
constexpr const char* kDeleteOrder[] = {
    "EXAM_ANALYSIS", "EXAM_LKK_DOCTOR",   "BLANKA_MED_NAPR",  "BLANKA_MDN",
    "NZIS_MDN",      "BLANKA_MED_NAPR_3A", "EXAM_LKK",         "BLANKA_NAPR_TELK",
    "HOSPITALIZATION", "EXAM_IMMUNIZATION", "FREE_RECIPE",     "EXAM_BOLN_LIST",
    "PREGLED",       "PACIENT",           "DOCTOR",
};

struct Inserted {
    std::string table;
    std::int32_t id = 0;
    std::int64_t fingerprint = 0;
};

struct Updated {
    std::string table;
    std::int32_t id = 0;
    std::string column;
    std::string before, after;  // as the journal writes them: "-" or "=" and the text
};

using RowKey = std::pair<std::string, std::int32_t>;

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out(1);
    for (const char c : line) {
        if (c == '\t')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

std::string unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 't' ? '\t' : next == 'n' ? '\n' : next;
    }
    return out;
}

std::map<std::string, std::int64_t> generatorValues(const common::Variant& text) {
    std::map<std::string, std::int64_t> values;
    const auto* lines = std::get_if<std::string>(&text);
    if (lines == nullptr)
        return values;
    std::istringstream in(*lines);
    for (std::string line; std::getline(in, line);)
        if (const std::size_t equals = line.find('='); equals != std::string::npos)
            values[line.substr(0, equals)] = std::stoll(line.substr(equals + 1));
    return values;
}

class Undo {
  public:
    Undo(db::Tdm& dm, std::int32_t run) : dm_(dm) { outcome_.run = run; }

    void checkRun(bool force) {
        const std::vector<common::Variant> row = dm_.ReadSqlValues(
            "SELECT STATE, GENERATORS_START, GENERATORS_END FROM KALVEX_RUN WHERE ID = :ID",
            {{"ID", std::int64_t{outcome_.run}}});
        const std::string name = "Импорт № " + std::to_string(outcome_.run);
        if (common::isNull(row[0]))
            throw UndoRefused("В базата няма импорт № " + std::to_string(outcome_.run) + ".");
        if (std::get<std::string>(row[0]) == "undone")
            throw UndoRefused(name + " вече е отменен.");
        if (force)
            return;
        if (common::isNull(row[2]))
            throw UndoRefused(name +
                              " не е завършил и краят му не е записан: дали някой е писал след "
                              "него, не се знае.",
                              true);
        const auto start = generatorValues(row[1]);
        std::string moved;
        for (const auto& [generator, end] : generatorValues(row[2])) {
            const auto before = start.find(generator);
            if (generator.rfind("GEN_KALVEX_", 0) == 0 || before == start.end() ||
                before->second == end)
                continue;
            const auto now = std::get<std::int64_t>(dm_.SqlToValue(
                "SELECT GEN_ID(" + db::quotedIdentifier(generator) + ", 0) FROM RDB$DATABASE"));
            if (now > end)
                moved += "\n" + generator + ": " + std::to_string(end) + " в края на импорта, " +
                         std::to_string(now) + " сега";
        }
        if (!moved.empty())
            throw UndoRefused("След " + name + " в базата е писано и в същите таблици:" + moved,
                              true);
    }

    void readJournal() {
        db::Statement& batches = dm_.GetResultSet(
            "SELECT ENTRIES FROM KALVEX_RUN_ROWS WHERE RUN_ID = :RUN ORDER BY ID",
            {{"RUN", std::int64_t{outcome_.run}}});
        std::vector<std::string> lines;
        for (bool row = dm_.hasRow(); row; row = batches.fetch()) {
            std::istringstream in(std::get<std::string>(batches.column(0)));
            for (std::string line; std::getline(in, line);)
                lines.push_back(line);
        }
        for (const std::string& line : lines) {
            const std::vector<std::string> f = fields(line);
            if (f[0] == "I" && f.size() == 4)
                inserted_.push_back({f[1], std::stoi(f[2]), std::stoll(f[3])});
            else if (f[0] == "U" && f.size() == 6)
                updated_.push_back({f[1], std::stoi(f[2]), f[3], f[4], f[5]});
        }
        for (const Inserted& row : inserted_)
            ours_.insert({row.table, row.id});
    }

    // Latest change first, each only where the column still holds the run's value.
    void restoreColumns() {
        for (auto u = updated_.rbegin(); u != updated_.rend(); ++u) {
            const std::string now = journalValueText(dm_.SqlToValue(
                "SELECT CAST(" + u->column + " AS VARCHAR(1000)) FROM " + u->table +
                    " WHERE ID = :ID",
                {{"ID", std::int64_t{u->id}}}));
            if (now != u->after) {
                ++outcome_.leftAlone;
                outcome_.leftAloneLines.push_back(u->table + "." + u->column + " на ред " +
                                                  std::to_string(u->id) +
                                                  " е променено след импорта и е оставено");
                continue;
            }
            const common::Variant old =
                u->before == "-" ? common::Null : common::Variant(unescaped(u->before.substr(1)));
            dm_.SqlToValue("UPDATE " + u->table + " SET " + u->column + " = :V WHERE ID = :ID",
                           {{"V", old}, {"ID", std::int64_t{u->id}}});
            ++outcome_.restored;
        }
    }

    // A row changed since the run is kept, and with it the rows it belongs to.
    void findChangedRows() {
        for (const Inserted& row : inserted_) {
            const common::Variant now =
                dm_.SqlToValue("SELECT " + fingerprints_.expression(dm_, row.table) + " FROM " +
                                   row.table + " WHERE ID = :ID",
                               {{"ID", std::int64_t{row.id}}});
            if (common::isNull(now))
                gone_.insert({row.table, row.id});
            else if (std::get<std::int64_t>(now) != row.fingerprint)
                keep({row.table, row.id}, "променен след импорта");
        }
    }

    void deleteRows() {
        for (const char* table : kDeleteOrder)
            for (const Inserted& row : inserted_)
                if (row.table == table)
                    deleteRow(row);
    }

    UndoOutcome finish(bool dryRun) {
        outcome_.dryRun = dryRun;
        outcome_.state = outcome_.complete() ? "undone" : "partly undone";
        dm_.SqlToValue("UPDATE KALVEX_RUN SET STATE = :STATE, UNDONE_AT = CURRENT_TIMESTAMP "
                       "WHERE ID = :ID",
                       {{"STATE", outcome_.state}, {"ID", std::int64_t{outcome_.run}}});
        return outcome_;
    }

  private:
    void keep(const RowKey& row, const std::string& reason) {
        if (!kept_.insert(row).second)
            return;
        outcome_.kept.push_back({row.first, row.second, reason});
        // Its parents among the run's rows stay with it.
        for (const Reference& r : kReferences) {
            if (row.first != r.child || !hasColumn(r.child, r.column))
                continue;
            const common::Variant parent = dm_.SqlToValue(
                std::string("SELECT ") + r.column + " FROM " + r.child + " WHERE ID = :ID",
                {{"ID", std::int64_t{row.second}}});
            if (const auto* id = std::get_if<std::int64_t>(&parent)) {
                const RowKey key{r.parent, static_cast<std::int32_t>(*id)};
                if (ours_.count(key) != 0)
                    keep(key, "към него има запазен ред " + row.first + " " +
                                  std::to_string(row.second));
            }
        }
        // A sheet's record stays whole: an examination, a referral for tests or a
        // commission kept keeps the run's rows that belong to it. (A patient or a doctor
        // kept for others' rows does not keep the run's examinations.)
        if (row.first != "PREGLED" && row.first != "BLANKA_MDN" && row.first != "EXAM_LKK")
            return;
        for (const Reference& r : kReferences) {
            if (row.first != r.parent || !hasColumn(r.child, r.column))
                continue;
            std::vector<std::int32_t> children;
            db::Statement& found = dm_.GetResultSet(
                std::string("SELECT ID FROM ") + r.child + " WHERE " + r.column + " = :ID",
                {{"ID", std::int64_t{row.second}}});
            for (bool more = dm_.hasRow(); more; more = found.fetch())
                children.push_back(static_cast<std::int32_t>(std::get<std::int64_t>(found.column(0))));
            for (const std::int32_t child : children)
                if (ours_.count({r.child, child}) != 0)
                    keep({r.child, child}, "част е от запазен ред " + row.first + " " +
                                               std::to_string(row.second));
        }
    }

    bool hasColumn(const std::string& table, const std::string& column) {
        const std::string key = table + "." + column;
        if (const auto found = columns_.find(key); found != columns_.end())
            return found->second;
        const bool has = !common::isNull(dm_.SqlToValue(
            "SELECT 1 FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = :T AND "
            "RDB$FIELD_NAME = :C",
            {{"T", table}, {"C", column}}));
        return columns_[key] = has;
    }

    // A reference to the row from a row that stays: its table and column, or nothing.
    std::string usedBy(const Inserted& row) {
        for (const Reference& r : kReferences) {
            if (row.table != r.parent || !hasColumn(r.child, r.column))
                continue;
            if (!common::isNull(dm_.SqlToValue(std::string("SELECT FIRST(1) 1 FROM ") + r.child +
                                                   " WHERE " + r.column + " = :ID",
                                               {{"ID", std::int64_t{row.id}}})))
                return std::string(r.child) + "." + r.column;
        }
        return "";
    }

    void deleteRow(const Inserted& row) {
        const RowKey key{row.table, row.id};
        if (kept_.count(key) != 0 || gone_.count(key) != 0)
            return;
        if (const std::string user = usedBy(row); !user.empty()) {
            keep(key, "използва се от други записи (" + user + ")");
            return;
        }
        dm_.SqlToValue("SAVEPOINT KALVEX_UNDO_ROW");
        try {
            dm_.SqlToValue("DELETE FROM " + row.table + " WHERE ID = :ID",
                           {{"ID", std::int64_t{row.id}}});
        } catch (const db::DatabaseError& e) {
            dm_.SqlToValue("ROLLBACK TO SAVEPOINT KALVEX_UNDO_ROW");
            // A delete refused for another program's rows keeps the row, with the reason;
            // any other fault stops the undo, which is then rolled back whole.
            if (db::isDatabaseFault(e) && e.kind() != db::FailureKind::permission)
                throw;
            keep(key, common::oneLine(e.what()));
            return;
        }
        dm_.SqlToValue("RELEASE SAVEPOINT KALVEX_UNDO_ROW ONLY");
        ++outcome_.deleted[row.table];
    }

    db::Tdm& dm_;
    UndoOutcome outcome_;
    RowFingerprints fingerprints_;
    std::vector<Inserted> inserted_;
    std::vector<Updated> updated_;
    std::set<RowKey> ours_, kept_, gone_;
    std::map<std::string, bool> columns_;
};

}  // namespace

UndoOutcome undoRun(db::Tdm& dm, std::int32_t run, bool force, bool dryRun) {
    if (common::isNull(dm.SqlToValue(
            "SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'KALVEX_RUN_ROWS'")))
        throw UndoRefused("В базата няма импорти, които да могат да бъдат отменени.");
    Undo undo(dm, run);
    undo.checkRun(force);
    undo.readJournal();
    undo.restoreColumns();
    undo.findChangedRows();
    undo.deleteRows();
    UndoOutcome outcome = undo.finish(dryRun);
    if (dryRun)
        dm.traMain.rollback();
    else
        dm.traMain.commit();
    return outcome;
}

std::vector<std::string> undoLines(const UndoOutcome& outcome) {
    std::vector<std::string> lines;
    lines.push_back(std::string(outcome.dryRun ? "Пробна отмяна на импорт № " : "Отмяна на импорт № ") +
                    std::to_string(outcome.run) + ": " +
                    (outcome.complete() ? "всичко е отменено" : "отменено отчасти"));
    for (const auto& [table, n] : outcome.deleted)
        lines.push_back("Изтрити от " + table + ": " + std::to_string(n));
    for (const KeptRow& row : outcome.kept)
        lines.push_back("Запазен " + row.table + " " + std::to_string(row.id) + ": " + row.reason);
    lines.push_back("Възстановени полета: " + std::to_string(outcome.restored) +
                    ", оставени: " + std::to_string(outcome.leftAlone));
    for (const std::string& line : outcome.leftAloneLines)
        lines.push_back(line);
    if (outcome.dryRun)
        lines.push_back("Пробна отмяна — нищо не е променено в базата.");
    return lines;
}

std::string undoJson(const UndoOutcome& outcome) {
    std::string json = "{\"run\": " + std::to_string(outcome.run) +
                       ", \"state\": " + jsonQuoted(outcome.state) +
                       ", \"dry_run\": " + (outcome.dryRun ? "true" : "false") + ", \"deleted\": {";
    bool first = true;
    for (const auto& [table, n] : outcome.deleted) {
        json += (first ? "" : ", ") + jsonQuoted(table) + ": " + std::to_string(n);
        first = false;
    }
    json += "}, \"kept\": [";
    first = true;
    for (const KeptRow& row : outcome.kept) {
        json += std::string(first ? "" : ", ") + "{\"table\": " + jsonQuoted(row.table) +
                ", \"id\": " + std::to_string(row.id) + ", \"reason\": " + jsonQuoted(row.reason) + "}";
        first = false;
    }
    return json + "], \"restored\": " + std::to_string(outcome.restored) +
           ", \"left_alone\": " + std::to_string(outcome.leftAlone) + "}";
}

}  // namespace kalvex::engine
