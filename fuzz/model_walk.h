#pragma once

#include <concepts>
#include <cstdint>
#include <limits>
#include <string>

#include "common/error.h"
#include "ereport/element.h"
#include "ereport/element_list.h"
#include "fuzz/model_properties.h"

// Reads everything the typed views of one NRD version offer, the way the importers read
// it: every property of every view, every item of every list, each text also as a
// number, a date and a personal number. The model reports a value it cannot read as
// kalvex::Error, which is expected of a hostile file, so each read catches exactly that
// and the walk goes on; anything else escapes as a finding. One routine serves every
// version: a property is read where the version's view has it.
namespace kalvex::fuzz {

// Long lists add time, not paths: a few items reach every branch of an item's reads.
inline constexpr int kItemsPerList = 32;

class ModelWalk {
  public:
    template <class View>
    void visit(const View& view) {
        readElementItself(view);
#define KALVEX_READ_PROPERTY(Property)           \
    if constexpr (requires { view.Property(); }) \
        read([&] { return view.Property(); });
        KALVEX_MODEL_PROPERTIES(KALVEX_READ_PROPERTY)
#undef KALVEX_READ_PROPERTY
        if constexpr (requires { view.Set_DrugCode(""); })
            rewriteDrug(view);
    }

  private:
    template <class Read>
    void read(Read&& readValue) {
        try {
            take(readValue());
        } catch (const Error&) {
            // The file does not hold what the view expects here: the model's own answer.
        }
    }

    template <class View>
    requires std::derived_from<View, ereport::Element>
    void take(const View& view) {
        visit(view);
    }
    template <class Item>
    void take(const ereport::ElementList<Item>& list) {
        for (int i = 0; i < list.GetCount() && i < kItemsPerList; ++i)
            read([&] { return list.get_item(i); });
    }
    void take(const ereport::TextList& list);
    void take(const std::string& text);
    // A number or a flag is whole once read: the read itself is what may fail.
    void take(std::int32_t) {}
    void take(std::uint16_t) {}
    void take(bool) {}

    // The element's own text and the node readers over each of its children by name,
    // as NRD 2022's import and the optional values of every version read them.
    void readElementItself(const ereport::Element& element);

    // The prescription import corrects a drug in memory; what it writes must read back.
    template <class Drug>
    void rewriteDrug(const Drug& drug) {
        try {
            const std::string code = drug.DrugCode();
            drug.Set_DrugCode(code);
            expectSame(code, drug.DrugCode(), "DrugCode");
        } catch (const Error&) {
            // The drug code is not a single text: there is nothing to rewrite.
        }
        using Limits = std::numeric_limits<std::int32_t>;
        for (const std::int32_t id : {0, -1, Limits::min(), Limits::max()}) {
            drug.Set_AllocationID(id);
            expectSame(std::to_string(id), std::to_string(drug.AllocationID()), "AllocationID");
        }
    }
    static void expectSame(const std::string& written, const std::string& read,
                           const char* property);
};

}  // namespace kalvex::fuzz
