#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/variant.h"
#include "ereport/element.h"

// Reading single values by name, with fixed defaults, for elements the typed model does
// not cover or that are optional. Every routine accepts an absent node and then yields
// its default; none of them creates an element. Where several children carry the name,
// the first counts. A child with child elements of its own fails with "Element does not
// contain a single text node".
namespace kalvex::ereport {

bool NodeExsist(const Element& node, std::string_view name);

// `child` becomes the first child element called `name`, or absent.
void GetNode(const Element& node, std::string_view name, Element& child);
// The same, as a result.
Element GetNode(const Element& node, std::string_view name);

// The child's text, limited to what code page 1251 holds; empty when absent.
void ReadValue(const Element& node, std::string_view name, std::string& value);
std::string ReadValue(const Element& node, std::string_view name);
// The child's text as a decimal number; 0 when absent, empty or not a number.
void ReadValue(const Element& node, std::string_view name, std::int32_t& value);
// True exactly when the child's text is a whole number greater than 0 ("true" is false).
void ReadValue(const Element& node, std::string_view name, bool& value);

// True when the boolean ReadValue gives true, else `defaultValue`.
bool ReadValueBool(const Element& node, std::string_view name, bool defaultValue);
// The integer ReadValue, with a result of 0 replaced by `defaultValue`.
std::int32_t ReadValueInt(const Element& node, std::string_view name, std::int32_t defaultValue);

std::int32_t IfThen(bool flag, std::int32_t whenTrue, std::int32_t whenFalse);
common::Variant IfThen(bool flag, const common::Variant& whenTrue,
                       const common::Variant& whenFalse);

}  // namespace kalvex::ereport
