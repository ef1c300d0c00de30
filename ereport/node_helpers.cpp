#include "ereport/node_helpers.h"

#include "common/numbers.h"
#include "ereport/cp1251_text.h"

namespace kalvex::ereport {

bool NodeExsist(const Element& node, std::string_view name) {
    return !node.findChild(name).isAbsent();
}

void GetNode(const Element& node, std::string_view name, Element& child) {
    child = node.findChild(name);
}

Element GetNode(const Element& node, std::string_view name) {
    return node.findChild(name);
}

void ReadValue(const Element& node, std::string_view name, std::string& value) {
    value.clear();
    const Element child = node.findChild(name);
    if (!child.isAbsent())
        value = limitToCp1251(child.text());
}

std::string ReadValue(const Element& node, std::string_view name) {
    std::string value;
    ReadValue(node, name, value);
    return value;
}

void ReadValue(const Element& node, std::string_view name, std::int32_t& value) {
    value = 0;
    const Element child = node.findChild(name);
    if (!child.isAbsent())
        value = common::readIntegerOr(child.text(), 0);
}

void ReadValue(const Element& node, std::string_view name, bool& value) {
    std::int32_t number = 0;
    ReadValue(node, name, number);
    value = number > 0;
}

bool ReadValueBool(const Element& node, std::string_view name, bool defaultValue) {
    bool value = false;
    ReadValue(node, name, value);
    return value || defaultValue;
}

std::int32_t ReadValueInt(const Element& node, std::string_view name, std::int32_t defaultValue) {
    std::int32_t value = 0;
    ReadValue(node, name, value);
    return value == 0 ? defaultValue : value;
}

std::int32_t IfThen(bool flag, std::int32_t whenTrue, std::int32_t whenFalse) {
    return flag ? whenTrue : whenFalse;
}

common::Variant IfThen(bool flag, const common::Variant& whenTrue,
                       const common::Variant& whenFalse) {
    return flag ? whenTrue : whenFalse;
}

}  // namespace kalvex::ereport
