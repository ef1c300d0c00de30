#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/variant.h"
#include "db/connection.h"
#include "db/statement.h"
#include "db/transaction.h"

namespace kalvex::db {

// A value for a named parameter of a look-up: the statement text names it (":EGN"),
// the value travels bound, never pasted into the text.
struct Param {
    std::string name;
    common::Variant value;
};
using Params = std::vector<Param>;

// A look-up's value as ReadSqlValue gives it: as text (a number's digits, a date as the
// program writes it; empty for null), or as a 32-bit integer, which a value out of its
// range or a date cannot be (an error).
std::string variantText(const common::Variant& value);
std::int32_t variantInt32(const common::Variant& value);

// The data module: the program's one connection, its one transaction, the generic
// statements of the query helpers and the named statements that the importers
// build on first use. The connection is declared first and the statements last, so
// that the statements are freed before the transaction ends and the transaction
// ends before the connection is detached.
class Tdm {
  public:
    Tdm() = default;
    // A connection still open when the program ends is committed and closed.
    ~Tdm();
    Tdm(const Tdm&) = delete;
    Tdm& operator=(const Tdm&) = delete;

    Connection dbMain;
    Transaction traMain{dbMain};

    Statement qryGeneric{traMain};
    Statement sqlGeneric{traMain};
    Statement ibsqlCommand{traMain};
    Statement ibsqlTemp{traMain};

    Statement qryPatient{traMain};
    Statement qryAmbList{traMain};
    Statement qryDoctor{traMain};
    Statement qryMedNapr{traMain};
    Statement qryMDD{traMain};
    Statement qryAnalysis{traMain};
    Statement qryVSDSIMPConsult{traMain};
    Statement qryExam_LKK{traMain};
    Statement qryExamLKKDoctor{traMain};
    Statement qryNaprTelk{traMain};
    Statement qryHospitalization{traMain};
    Statement qryImmunization{traMain};
    Statement qryRecipes{traMain};
    Statement qryBolnList{traMain};

    std::array<Statement*, 14> namedStatements();
    // Empties the text of every named statement, so that each is built again for the
    // NRD version chosen next.
    void clearNamedStatements();

    // Runs the select on qryGeneric and returns it on its first row (fetch() moves
    // on; no row at all leaves hasRow false). The cursor stays open until the next
    // call or the end of the transaction.
    Statement& GetResultSet(const std::string& sql, const Params& params = {});
    bool hasRow() const { return hasRow_; }

    // Runs the statement, starting the transaction when none is active: the first
    // column of the first row of a select, null when no row came back; null for any
    // other statement. Its changes stay in the open transaction. A select, an insert,
    // update or delete and a savepoint keep their preparation for the next call of the
    // same text; any other statement runs on sqlGeneric.
    common::Variant SqlToValue(const std::string& sql, const Params& params = {});
    // SqlToValue with every column of the first row, as many nulls when none came back:
    // the values an update's RETURNING gives, for one.
    std::vector<common::Variant> SqlToRow(const std::string& sql, const Params& params = {});
    // SqlToValue as text: false and an empty text when the value is null.
    bool ReadSqlValue(const std::string& sql, std::string& value, const Params& params = {});
    // SqlToValue as a 32-bit integer: false and 0 when the value is null.
    bool ReadSqlValue(const std::string& sql, std::int32_t& value, const Params& params = {});
    // Runs the select on ibsqlCommand: the columns of its first row, or as many nulls
    // when no row came back. The statement stays open until the next call.
    std::vector<common::Variant> ReadSqlValues(const std::string& sql, const Params& params = {});
    // The statement kept prepared for a data statement's text, as SqlToValue keeps it.
    Statement& preparedFor(const std::string& sql) { return statementFor(sql); }

  private:
    struct Prepared {
        std::unique_ptr<Statement> statement;
        std::uint64_t lastUse = 0;
    };
    // Room for every text of a run of any NRD version and edition (about fifty), so
    // that none is prepared twice; the limit only bounds texts built per table.
    static constexpr std::size_t kPreparedLimit = 128;

    static void run(Statement& statement, const std::string& sql, const Params& params);
    // The statement that SqlToValue runs `sql` on.
    Statement& statementFor(const std::string& sql);

    bool hasRow_ = false;
    // An import's look-ups alternate between a few texts per sheet; one statement per
    // text spares preparing them again for every sheet. Declared after the transaction,
    // so freed before it ends.
    std::unordered_map<std::string, Prepared> prepared_;
    std::uint64_t uses_ = 0;
};

}  // namespace kalvex::db
