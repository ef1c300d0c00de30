#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "common/error.h"
#include "ereport/element.h"
#include "ereport/node_helpers.h"

// The two ways the importers read a value by name. NRD 2022 reads optional values with
// the node readers, whose defaults stand in for a missing element; the earlier versions
// read them through the document model, where a missing boolean or integer fails (and
// the importer's group guard decides what that failure means).
namespace kalvex::engine {

struct NodeReads {
    static std::string text(const ereport::Element& e, std::string_view name) {
        return ereport::ReadValue(e, name);
    }
    static bool flag(const ereport::Element& e, std::string_view name) {
        return ereport::ReadValueBool(e, name, false);
    }
    static std::int32_t integer(const ereport::Element& e, std::string_view name) {
        return ereport::ReadValueInt(e, name, 0);
    }
};

struct TypedReads {
    static std::string text(const ereport::Element& e, std::string_view name);
    static bool flag(const ereport::Element& e, std::string_view name);
    static std::int32_t integer(const ereport::Element& e, std::string_view name);
};

template <class V>
using ReadsOf = std::conditional_t<V::year == 2022, NodeReads, TypedReads>;

// Runs one group of reads of an earlier NRD version under its own guard: a value the
// document model cannot read leaves the group's columns unset (null), as those versions
// did, instead of failing the sheet. NRD 2022 has no such guard.
template <class V, class Group>
void readGroup(Group&& group) {
    if constexpr (V::year == 2022) {
        group();
    } else {
        try {
            group();
        } catch (const Error&) {
            // The group's values were not all readable: its columns stay null.
        }
    }
}

}  // namespace kalvex::engine
