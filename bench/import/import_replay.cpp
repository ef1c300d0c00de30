#include "import/import_replay.h"

#include <ibase.h>

#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <unordered_map>
#include <utility>

#include "db/database_error.h"
#include "db/gdb_mediator.h"
#include "db/sqlda.h"
#include "db/tdm.h"

namespace kalvex::bench {
namespace {

void check(const ISC_STATUS* status) {
    db::checkStatus(status);
}

// A prepared statement on the bare client library, freed with its owner.
class RawStatement {
  public:
    RawStatement(isc_db_handle* db, isc_tr_handle* tr, const std::string& sql) : tr_(tr) {
        ISC_STATUS_ARRAY status;
        isc_dsql_allocate_statement(status, db, &handle_);
        check(status);
        isc_dsql_prepare(status, tr_, &handle_, 0, sql.c_str(), SQL_DIALECT_V6, nullptr);
        check(status);
    }
    ~RawStatement() {
        // Freed with the attachment in any case; nothing to report from a benchmark.
        ISC_STATUS_ARRAY status;
        isc_dsql_free_statement(status, &handle_, DSQL_drop);
    }
    RawStatement(const RawStatement&) = delete;
    RawStatement& operator=(const RawStatement&) = delete;

    isc_stmt_handle* handle() { return &handle_; }
    isc_tr_handle* transaction() { return tr_; }

  private:
    isc_tr_handle* tr_;
    isc_stmt_handle handle_ = 0;
};

std::size_t dataSize(const XSQLVAR& var) {
    return static_cast<std::size_t>(var.sqllen) + ((var.sqltype & ~1) == SQL_VARYING ? 2 : 0);
}

std::size_t aligned(std::size_t offset) {
    return (offset + 7) & ~std::size_t{7};
}

// A transaction as the data module starts its own: read committed, record version,
// no wait, write.
isc_tr_handle startTransaction(isc_db_handle* db) {
    const char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                        isc_tpb_rec_version, isc_tpb_nowait};
    ISC_STATUS_ARRAY status;
    isc_tr_handle tr = 0;
    isc_start_transaction(status, &tr, 1, db, sizeof tpb, tpb);
    check(status);
    return tr;
}

}  // namespace

// Every row of one table as the select returned it: per column its null indicator and
// its bytes, at fixed offsets within a row.
struct ImportedRows::Table {
    explicit Table(std::string name) : name(std::move(name)) {}

    std::string name;
    std::vector<std::string> columns;
    std::vector<XSQLVAR> types;  // only type, subtype, length and scale are kept
    std::vector<std::size_t> nullAt, dataAt;
    std::size_t rowSize = 0;
    std::vector<char> rows;
    std::unordered_map<std::int32_t, std::size_t> rowOfId;

    char* row(std::size_t index) { return rows.data() + index * rowSize; }
    const char* row(std::size_t index) const { return rows.data() + index * rowSize; }

    // Points the descriptor's variables at the columns of `row`.
    void bind(XSQLDA& sqlda, const char* row) const {
        for (std::size_t i = 0; i < types.size(); ++i) {
            XSQLVAR& var = sqlda.sqlvar[i];
            var.sqldata = const_cast<char*>(row + dataAt[i]);
            var.sqlind = reinterpret_cast<short*>(const_cast<char*>(row + nullAt[i]));
        }
    }

    void read(isc_db_handle* db, isc_tr_handle* tr) {
        RawStatement select(db, tr, "SELECT * FROM \"" + name + "\"");
        db::SqldaPtr out = db::allocateSqlda(1);
        db::describe(select.handle(), out, false);
        std::size_t idColumn = types.size();
        for (short i = 0; i < out->sqld; ++i) {
            XSQLVAR& var = out->sqlvar[i];
            var.sqltype |= 1;
            columns.emplace_back(var.sqlname, static_cast<std::size_t>(var.sqlname_length));
            if (columns.back() == "ID")
                idColumn = types.size();
            types.push_back(var);
            nullAt.push_back(rowSize);
            dataAt.push_back(rowSize = aligned(rowSize + sizeof(short)));
            rowSize = aligned(rowSize + dataSize(var));
        }
        if (idColumn == types.size() || (types[idColumn].sqltype & ~1) != SQL_LONG)
            throw std::runtime_error(name + " has no integer ID column");
        ISC_STATUS_ARRAY status;
        isc_dsql_execute(status, tr, select.handle(), SQLDA_VERSION1, nullptr);
        check(status);
        std::vector<char> scratch(rowSize);
        bind(*out, scratch.data());
        while (isc_dsql_fetch(status, select.handle(), SQLDA_VERSION1, out.get()) == 0) {
            std::int32_t id = 0;
            std::memcpy(&id, scratch.data() + dataAt[idColumn], sizeof id);
            rowOfId.emplace(id, rows.size() / rowSize);
            rows.insert(rows.end(), scratch.begin(), scratch.end());
        }
        check(status);
    }

    std::string insertSql() const {
        std::string names, markers;
        for (const std::string& column : columns) {
            names += (names.empty() ? "\"" : ", \"") + column + "\"";
            markers += markers.empty() ? "?" : ", ?";
        }
        return "INSERT INTO \"" + name + "\" (" + names + ") VALUES (" + markers + ")";
    }

    // The insert's parameters, checked to take the select's columns byte for byte.
    db::SqldaPtr describeInsert(RawStatement& insert) const {
        db::SqldaPtr in = db::allocateSqlda(static_cast<short>(types.size()));
        db::describe(insert.handle(), in, true);
        for (std::size_t i = 0; i < types.size(); ++i) {
            XSQLVAR& var = in->sqlvar[i];
            const XSQLVAR& was = types[i];
            if ((var.sqltype & ~1) != (was.sqltype & ~1) || var.sqllen != was.sqllen ||
                var.sqlscale != was.sqlscale)
                throw std::runtime_error(name + "." + columns[i] + " is bound as another type");
            var.sqltype |= 1;
        }
        return in;
    }
};

ImportedRows::ImportedRows(const std::string& database) {
    db::Tdm dm;
    db::GDBOpenDatabase(dm, database);
    std::map<std::string, std::size_t> tableIndex;
    std::vector<std::pair<std::size_t, std::int32_t>> inserted;
    db::Statement& journal = dm.GetResultSet("SELECT ENTRIES FROM KALVEX_RUN_ROWS ORDER BY ID");
    for (bool row = dm.hasRow(); row; row = journal.fetch()) {
        std::istringstream lines(std::get<std::string>(journal.column(0)));
        for (std::string line; std::getline(lines, line);) {
            // "I<tab>TABLE<tab>ID<tab>fingerprint"; the "U" lines change rows already listed.
            if (line.rfind("I\t", 0) != 0)
                continue;
            const std::size_t idAt = line.find('\t', 2);
            const std::string table = line.substr(2, idAt - 2);
            const auto [at, added] = tableIndex.emplace(table, tables_.size());
            if (added)
                tables_.emplace_back(table);
            inserted.emplace_back(at->second, std::stoi(line.substr(idAt + 1)));
        }
    }
    for (Table& table : tables_)
        table.read(dm.dbMain.handle(), dm.traMain.handle());
    bool immunised = false;
    for (const auto& [table, id] : inserted) {
        const Table& t = tables_[table];
        const auto found = t.rowOfId.find(id);
        if (found == t.rowOfId.end())
            throw std::runtime_error(t.name + " has no row " + std::to_string(id));
        const bool sheetStarts = t.name == "PACIENT" || t.name == "PREGLED";
        order_.push_back({table, found->second, sheetStarts && immunised});
        if (sheetStarts)
            immunised = false;
        immunised = immunised || t.name == "EXAM_IMMUNIZATION";
    }
    db::GDBCloseDatabase(dm);
}

ImportedRows::~ImportedRows() = default;

int ImportedRows::commits() const {
    int commits = 1;
    for (const Entry& e : order_)
        commits += e.commitBefore ? 1 : 0;
    return commits;
}

Stopwatch::Reading ImportedRows::replay(const std::string& freshDatabase) const {
    // Attached through the data module only to share its log-in; everything timed
    // below is the client library's own calls.
    db::Tdm dm;
    db::GDBOpenDatabase(dm, freshDatabase);
    isc_tr_handle tr = startTransaction(dm.dbMain.handle());
    Stopwatch::Reading time;
    {
        std::vector<std::unique_ptr<RawStatement>> inserts;
        std::vector<db::SqldaPtr> params;
        for (const Table& table : tables_) {
            inserts.push_back(
                std::make_unique<RawStatement>(dm.dbMain.handle(), &tr, table.insertSql()));
            params.push_back(table.describeInsert(*inserts.back()));
        }
        ISC_STATUS_ARRAY status;
        const Stopwatch watch;
        for (const Entry& e : order_) {
            if (e.commitBefore) {
                isc_commit_retaining(status, &tr);
                check(status);
            }
            const Table& table = tables_[e.table];
            table.bind(*params[e.table], table.row(e.row));
            isc_dsql_execute(status, &tr, inserts[e.table]->handle(), SQLDA_VERSION1,
                             params[e.table].get());
            check(status);
        }
        isc_commit_transaction(status, &tr);
        check(status);
        time = watch.elapsed();
    }
    db::GDBCloseDatabase(dm);
    return time;
}

}  // namespace kalvex::bench
