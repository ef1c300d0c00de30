#include "engine/documents/prescription_forms.h"

#include <algorithm>
#include <iterator>
#include <numeric>

namespace kalvex::engine {
namespace {

constexpr std::size_t kDrugsPerRow = 3;

// Sorts positions by `key`, greatest first; equal keys keep their order.
template <class Key>
void sortDescending(std::vector<std::size_t>& positions, Key key) {
    std::stable_sort(positions.begin(), positions.end(),
                     [&](std::size_t a, std::size_t b) { return key(a) > key(b); });
}

// One prescription form of NRD 2021 before it is cut into rows.
struct Form {
    std::string prescription;
    std::int32_t allocation = 0;
    std::vector<std::size_t> drugs;

    std::string numberAndAllocation() const { return prescription + std::to_string(allocation); }
};

// One prescription of NRD 2022, its drugs kept in ascending allocation order.
struct Prescription {
    std::string number;
    std::vector<std::size_t> drugs;
};

// A code found anywhere in the codes before it counts as repeated, even as part of a
// longer code; an empty code is never found, as the text search of the time behaved.
bool occursIn(const std::string& text, const std::string& code) {
    return !code.empty() && text.find(code) != std::string::npos;
}

}  // namespace

std::vector<RecipeRow> rowsInFileOrder(const std::vector<DrugKey>& drugs) {
    std::vector<RecipeRow> rows;
    for (std::size_t i = 0; i < drugs.size(); ++i) {
        const bool joins = !rows.empty() && rows.back().drugs.size() < kDrugsPerRow &&
                           drugs[rows.back().drugs.front()].prescription == drugs[i].prescription;
        if (!joins)
            rows.emplace_back();
        rows.back().drugs.push_back(i);
    }
    return rows;
}

std::vector<RecipeRow> rowsBySortedKeys(const std::vector<DrugKey>& drugs) {
    std::vector<std::size_t> order(drugs.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    sortDescending(order, [&](std::size_t i) { return drugs[i].prescription + drugs[i].code; });

    std::vector<Form> forms;
    std::string previous;
    std::int32_t repeats = 0;
    for (const std::size_t i : order) {
        const std::string key = drugs[i].prescription + drugs[i].code;
        if (forms.empty() || key != previous) {
            forms.push_back({drugs[i].prescription, 0, {}});
            previous = key;
            repeats = 0;
        } else {
            if (repeats == 0) {
                repeats = 1;
                forms.back().allocation = 1;
            }
            forms.push_back({drugs[i].prescription, ++repeats, {}});
        }
        forms.back().drugs.push_back(i);
    }

    std::stable_sort(forms.begin(), forms.end(), [](const Form& a, const Form& b) {
        return a.numberAndAllocation() > b.numberAndAllocation();
    });
    for (std::size_t f = forms.size(); f-- > 1;) {
        if (forms[f].numberAndAllocation() != forms[f - 1].numberAndAllocation())
            continue;
        auto& into = forms[f - 1].drugs;
        into.insert(into.end(), forms[f].drugs.begin(), forms[f].drugs.end());
        forms.erase(forms.begin() + static_cast<std::ptrdiff_t>(f));
    }

    std::vector<RecipeRow> rows;
    for (Form& form : forms) {
        sortDescending(form.drugs, [&](std::size_t i) { return drugs[i].code; });
        for (std::size_t start = 0; start < form.drugs.size(); start += kDrugsPerRow) {
            const auto from = form.drugs.begin() + static_cast<std::ptrdiff_t>(start);
            const auto to = form.drugs.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                     start + kDrugsPerRow, form.drugs.size()));
            rows.push_back({std::vector<std::size_t>(from, to), form.allocation});
        }
    }
    return rows;
}

AllocatedRows rowsByAllocation(const std::vector<DrugKey>& drugs) {
    AllocatedRows result;
    auto& allocation = result.allocations;
    allocation.assign(drugs.size(), 0);

    std::vector<Prescription> prescriptions;
    for (std::size_t i = 0; i < drugs.size(); ++i) {
        const auto found =
            std::find_if(prescriptions.begin(), prescriptions.end(),
                         [&](const Prescription& p) { return p.number == drugs[i].prescription; });
        if (found == prescriptions.end()) {
            prescriptions.push_back({drugs[i].prescription, {i}});
            continue;
        }
        auto& list = found->drugs;
        if (list.size() == 1)
            allocation[list.front()] = 1;
        const auto a = static_cast<std::int32_t>(
            1 + std::count_if(list.begin(), list.end(),
                              [&](std::size_t j) { return drugs[j].code == drugs[i].code; }));
        allocation[i] = a;
        // After the last drug whose number is at most a: ascending order, ties by file order.
        const auto after = std::find_if(list.rbegin(), list.rend(),
                                        [&](std::size_t j) { return allocation[j] <= a; });
        list.insert(after.base(), i);
    }

    for (const Prescription& p : prescriptions) {
        if (p.drugs.size() > kDrugsPerRow)
            continue;
        std::string codes = drugs[p.drugs.front()].code;
        bool allDifferent = true;
        for (std::size_t k = 1; k < p.drugs.size() && allDifferent; ++k) {
            const std::string& code = drugs[p.drugs[k]].code;
            allDifferent = !occursIn(codes, code);
            codes += "," + code;
        }
        if (allDifferent)
            for (const std::size_t j : p.drugs)
                allocation[j] = 0;
    }

    for (const Prescription& p : prescriptions) {
        RecipeRow row{{}, allocation[p.drugs.front()]};
        for (const std::size_t j : p.drugs) {
            if (allocation[j] != row.allocation || row.drugs.size() == kDrugsPerRow) {
                result.rows.push_back(std::move(row));
                row = RecipeRow{{}, allocation[j]};
            }
            row.drugs.push_back(j);
        }
        result.rows.push_back(std::move(row));
    }
    return result;
}

}  // namespace kalvex::engine
