#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/tdm.h"

// The look-ups of the reference catalogues (specialities, procedures and their packages,
// analyses, immunisations, drugs, diagnoses), each answered by the database once per
// run and from memory after. No import writes a catalogue, and a run holds its one
// transaction throughout, so an answer stays the one the database would give again:
// across savepoints rolled back, commits and a dry run alike. A look-up is keyed by its
// whole statement text and every value it binds, so two look-ups share an answer only
// when the statement itself could not tell them apart; an empty or over-long code and
// its "not found" are remembered like any other. A failed look-up is not remembered.
// Only for tables the run never writes: doctors and patients are looked up afresh.
namespace kalvex::engine {

class CatalogueLookups {
  public:
    explicit CatalogueLookups(db::Tdm& dm) : dm_(dm) {}

    // As the data module's helpers of the same names.
    common::Variant SqlToValue(const std::string& sql, const db::Params& params);
    bool ReadSqlValue(const std::string& sql, std::string& value, const db::Params& params);
    bool ReadSqlValue(const std::string& sql, std::int32_t& value, const db::Params& params);
    std::vector<common::Variant> ReadSqlValues(const std::string& sql, const db::Params& params);

    // Off: every look-up goes to the database, as a run without this memory would. For
    // comparing the two.
    void setRemembering(bool remembering) { remembering_ = remembering; }

  private:
    // `read` answers what memory does not hold yet; `shape` keeps a first column and a
    // whole row of one statement apart.
    template <class Read>
    const std::vector<common::Variant>& answer(char shape, const std::string& sql,
                                               const db::Params& params, Read read);

    db::Tdm& dm_;
    bool remembering_ = true;
    std::unordered_map<std::string, std::vector<common::Variant>> answers_;
    std::vector<common::Variant> fresh_;  // the answer of a look-up not remembered
};

}  // namespace kalvex::engine
