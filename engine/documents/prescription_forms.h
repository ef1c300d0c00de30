#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How the drugs of a sheet are gathered into prescription rows of at most three drugs,
// in the three ways the NRD versions did it. The grouping sees only each drug's
// prescription number and code; the importer fills the rows' values.
namespace kalvex::engine {

struct DrugKey {
    std::string prescription;  // the number the version tells prescriptions apart by
    std::string code;
};

// One row: positions of its drugs in the sheet's list, and its allocation number.
struct RecipeRow {
    std::vector<std::size_t> drugs;
    std::int32_t allocation = 0;
};

// NRD 2009 to 2018: in file order, a drug joins the row before it when that row is of
// the same prescription and not yet full.
std::vector<RecipeRow> rowsInFileOrder(const std::vector<DrugKey>& drugs);

// NRD 2021: the drugs sorted by prescription and code, descending; the k-th occurrence
// of a drug on its prescription gets allocation k (a drug there once, 0); rows by
// prescription and allocation, descending, each with its drugs by code, descending.
std::vector<RecipeRow> rowsBySortedKeys(const std::vector<DrugKey>& drugs);

// NRD 2022: prescriptions in the order they first occur; within one, the k-th occurrence
// of a code gets allocation k, except that a prescription of up to three plainly different
// codes keeps allocation 0 throughout. A row ends where the allocation changes or at the
// third drug. `allocations` holds each drug's number, by position.
struct AllocatedRows {
    std::vector<RecipeRow> rows;
    std::vector<std::int32_t> allocations;
};
AllocatedRows rowsByAllocation(const std::vector<DrugKey>& drugs);

}  // namespace kalvex::engine
