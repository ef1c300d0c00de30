// Prescriptions of reimbursed medicines written on a sheet, every NRD version: the drugs
// gathered into forms (see prescription_forms.h), each form row priced in packages from
// the drug catalogue.
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/characters.h"
#include "common/conversions.h"
#include "common/numbers.h"
#include "engine/statements/attachment_insert.h"
#include "engine/documents/attachments.h"
#include "engine/run/nrd_versions.h"
#include "engine/documents/prescription_forms.h"
#include "engine/sheet/sheet_number.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

const std::string kDuplicateLine = "Тази рецепта вече съществува в базата!, АЛ = ";

std::string slotColumn(std::size_t slot, std::string_view field) {
    return "LEK" + std::to_string(slot) + "_" + std::string(field);
}

std::int64_t integerOrZero(const common::Variant& v) {
    const auto* n = std::get_if<std::int64_t>(&v);
    return n ? *n : 0;
}

// Packages as "%5.1f" would print them: five wide, one decimal, a point in any locale.
std::string packagesText(double packages) {
    char digits[40];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, packages, std::chars_format::fixed, 1).ptr;
    std::string text(digits, end);
    if (text.size() < 5)
        text.insert(0, 5 - text.size(), ' ');
    return text;
}

template <class V>
const InsertStatement& recipeInsert() {
    static const InsertStatement insert = [] {
        std::vector<InsertColumn> columns{"PREGLED_ID", "LEK1_KOD", "LEK1_BROPAKOVKI", "DATA"};
        if constexpr (V::year >= 2008)
            columns.emplace_back("LEK1_MKB");
        if constexpr (V::year >= 2009) {
            columns.emplace_back("FORM_NUMBER");
            if constexpr (V::year >= 2021)
                columns.emplace_back("NZIS_NRN");
            for (const char* name :
                 {"LEK1_OSTATUK", "LEK2_KOD", "LEK2_BROPAKOVKI", "LEK2_MKB", "LEK2_OSTATUK",
                  "LEK3_KOD", "LEK3_BROPAKOVKI", "LEK3_MKB", "LEK3_OSTATUK"})
                columns.emplace_back(name);
        }
        if constexpr (V::year >= 2021)
            columns.insert(columns.end(), {"ALLOCATION_ID", "LEK1_ID", "LEK2_ID", "LEK3_ID"});
        if constexpr (V::year == 2022)
            columns.emplace_back("FINANCING_SOURCE");
        return buildInsert("FREE_RECIPE", columns);
    }();
    return insert;
}

// The prescription number a version tells forms apart by. NRD 2021 keeps a number of
// more than nine characters as the register number, a shorter one as a form number.
template <class V, class Drug>
DrugKey drugKey(const Drug& drug) {
    if constexpr (V::year == 2022) {
        return {drug.PrescNum(), drug.DrugCode()};
    } else if constexpr (V::year == 2021) {
        const std::string number = drug.PrescNum();
        if (common::characterCount(number) > 9)
            return {number, drug.DrugCode()};
        const std::int32_t form = common::StrToInt(number);
        return {form != 0 ? std::to_string(form) : std::string(), drug.DrugCode()};
    } else if constexpr (V::year >= 2009) {
        return {std::to_string(drug.PrescNum()), drug.DrugCode()};
    } else {
        return {std::string(), drug.DrugCode()};
    }
}

// The form's number columns, set alike by every drug of the row.
template <class V, class Drug>
void setFormNumber(ColumnValues& row, const Drug& drug) {
    if constexpr (V::year == 2022) {
        const std::string number = drug.PrescNum();
        const bool nrn = isNrn(number);
        row.setInt("FORM_NUMBER", nrn ? 0 : common::readIntegerOr(number, 0));
        row.setText("NZIS_NRN", nrn ? number : std::string());
    } else if constexpr (V::year == 2021) {
        const std::string number = drug.PrescNum();
        const bool registered = common::characterCount(number) > 9;
        row.setInt("FORM_NUMBER", registered ? 0 : common::StrToInt(number));
        row.setText("NZIS_NRN", registered ? number : std::string());
    } else if constexpr (V::year >= 2009) {
        row.setInt("FORM_NUMBER", drug.PrescNum());
    }
}

// What the drug catalogue says of a code: the newest entry, effective or not, except in
// NRD 2009 to 2018, which price by an entry in force and take no ID.
struct CatalogueEntry {
    std::int64_t id = 0;     // 0: none
    std::int64_t units = 0;  // per package; 0: not known
    bool divisible = false;  // dispensed by units (NRD 2021)
};

template <class V>
CatalogueEntry catalogueEntry(RunState& run, const std::string& code) {
    if constexpr (V::year == 2021 || V::year == 2022) {
        const auto entry = run.catalogues.ReadSqlValues(
            "SELECT FIRST(1) fm.ID, fm.COUNT_IN_PACKAGE, fm.DEVISIBLE FROM FREE_MEDICINE fm "
            "WHERE " +
                sameText("fm.CODE", "CODE") + " ORDER BY fm.ID DESC",
            {{"CODE", code}});
        return {integerOrZero(entry[0]), integerOrZero(entry[1]), integerOrZero(entry[2]) != 0};
    } else {
        // An entry counting 0 units would divide by zero: priced as a missing one.
        std::int32_t units = 0;
        run.catalogues.ReadSqlValue(
            "select fm.count_in_package from free_medicine fm where "
            "fm.effective = 'Y' and " +
                sameText("fm.code", "code"),
            units, {{"code", code}});
        return {0, units, false};
    }
}

// The drug at `slot` of the row, priced in packages.
template <class V, class Drug>
void setDrug(RunState& run, ColumnValues& row, std::size_t slot, const Drug& drug) {
    const std::string code = drug.DrugCode();
    row.setText(slotColumn(slot, "KOD"), code);
    if constexpr (V::year <= 2008) {
        row.setInt(slotColumn(slot, "BROPAKOVKI"), drug.Quantity());
    } else {
        row.setText(slotColumn(slot, "MKB"), drug.DrugMKB());
        const std::int32_t quantity = drug.Quantity();
        const std::int32_t day = drug.Day();
        const CatalogueEntry entry = catalogueEntry<V>(run, code);
        const double perPackage = static_cast<double>(entry.units);
        if constexpr (V::year == 2021) {
            // Floating-point numbers both: the database writes its own text of the packages.
            double packages = 0;
            if (entry.divisible)
                packages = quantity;
            else if (entry.units != 0)
                packages = quantity / perPackage;
            row.set(slotColumn(slot, "OSTATUK"), static_cast<double>(day));
            row.set(slotColumn(slot, "BROPAKOVKI"), packages);
        } else {
            std::string packages = V::year == 2022 ? std::to_string(quantity) : "0";
            if (entry.units != 0)
                packages = packagesText(quantity / perPackage);
            row.setText(slotColumn(slot, "BROPAKOVKI"), packages);
            row.setInt(slotColumn(slot, "OSTATUK"), day);
        }
        if (entry.id > 0)
            row.setInt(slotColumn(slot, "ID"), entry.id);
    }
}

template <class V>
std::vector<RecipeRow> formRows(const std::vector<DrugKey>& keys, const auto& drugs) {
    if constexpr (V::year == 2022) {
        AllocatedRows grouped = rowsByAllocation(keys);
        // The drugs carry the import's numbers in memory from now on, in place of the file's.
        for (std::size_t i = 0; i < keys.size(); ++i)
            drugs.get_item(static_cast<int>(i)).Set_AllocationID(grouped.allocations[i]);
        return std::move(grouped.rows);
    } else if constexpr (V::year == 2021) {
        return rowsBySortedKeys(keys);
    } else if constexpr (V::year >= 2009) {
        return rowsInFileOrder(keys);
    } else {
        std::vector<RecipeRow> rows;
        for (std::size_t i = 0; i < keys.size(); ++i)
            rows.push_back({{i}, 0});
        return rows;
    }
}

template <class V>
void importRecipes(RunContext<V>& run) {
    const auto drugs = run.CurrentAmbList.Docs().Rp().RpDrug();
    std::vector<DrugKey> keys;
    for (int i = 0; i < drugs.GetCount(); ++i)
        keys.push_back(drugKey<V>(drugs.get_item(i)));

    const std::string sheetDate = run.CurrentAmbList.DataAl();
    std::optional<common::DateTime> date;
    if (!(V::year == 2022 && sheetDate.empty()))
        date = common::DateFromSQL(sheetDate);
    for (const RecipeRow& form : formRows<V>(keys, drugs)) {
        ColumnValues row;
        row.setInt("PREGLED_ID", run.CurrentPregledID);
        if (date)
            row.set("DATA", *date);
        if constexpr (V::year == 2008)
            row.setText("LEK1_MKB", run.CurrentAmbList.MainDiag().MKB());
        if constexpr (V::year >= 2021)
            row.setInt("ALLOCATION_ID", form.allocation);
        for (std::size_t slot = 1; slot <= form.drugs.size(); ++slot) {
            const auto drug = drugs.get_item(static_cast<int>(form.drugs[slot - 1]));
            if constexpr (V::year == 2022) {
                if (drug.DrugCode() == "WT001")
                    drug.Set_DrugCode("WF101");
                row.setInt("FINANCING_SOURCE", ereport::ReadValueInt(drug, "financingSource", 2));
            }
            setFormNumber<V>(row, drug);
            setDrug<V>(run, row, slot, drug);
        }
        db::Statement& statement = run.dm.qryRecipes;
        if constexpr (V::year == 2021) {
            // A form already written is not expected here: the key violation stops the sheet.
            executeInsert(run, statement, recipeInsert<V>(), row);
            ++run.counts[RowKind::prescription].written;
        } else {
            insertAttachment(run, statement, recipeInsert<V>(), row,
                             kDuplicateLine + run.CurrentAmbList.NoAl(), RowKind::prescription);
        }
    }
}

}  // namespace

template <class V>
void ImportFreeRecipes(RunContext<V>& run) {
    // NRD 2005 reported no prescriptions the practice database keeps.
    if constexpr (V::year == 2022) {
        ereport::Element docs, rp;
        ereport::GetNode(run.CurrentAmbList, "Docs", docs);
        ereport::GetNode(docs, "Rp", rp);
        if (ereport::NodeExsist(rp, "RpDrug"))
            importRecipes(run);
    } else if constexpr (V::year >= 2006) {
        importRecipes(run);
    }
}

#define KALVEX_INSTANTIATE(V) template void ImportFreeRecipes<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
