#include "ereport/element.h"

#include <libxml/tree.h>

#include <cstring>

#include "common/error.h"
#include "ereport/value_conversions.h"

namespace kalvex::ereport {
namespace {

const xmlChar* xml(std::string_view text) {
    return reinterpret_cast<const xmlChar*>(text.data());
}

bool isNamed(const xmlNode* node, std::string_view name) {
    if (node->type != XML_ELEMENT_NODE)
        return false;
    const auto* own = reinterpret_cast<const char*>(node->name);
    return std::strlen(own) == name.size() && std::memcmp(own, name.data(), name.size()) == 0;
}

xmlNode* firstNamed(xmlNode* parent, std::string_view name) {
    for (xmlNode* child = parent->children; child != nullptr; child = child->next)
        if (isNamed(child, name))
            return child;
    return nullptr;
}

}  // namespace

std::string Element::name() const {
    return node_ == nullptr ? std::string() : reinterpret_cast<const char*>(node_->name);
}

Element Element::findChild(std::string_view name) const {
    return Element(node_ == nullptr ? nullptr : firstNamed(node_, name));
}

std::vector<Element> Element::findChildren(std::string_view name) const {
    std::vector<Element> found;
    for (xmlNode* node : childrenNamed(name))
        found.emplace_back(node);
    return found;
}

Element Element::child(std::string_view name) const {
    if (node_ == nullptr)
        throw Error("No e-report element to read \"" + std::string(name) + "\" from");
    if (xmlNode* found = firstNamed(node_, name))
        return Element(found);
    const std::string owned(name);  // libxml2 wants a terminated name
    xmlNode* created = xmlNewChild(node_, nullptr, xml(owned), nullptr);
    if (created == nullptr)
        throw std::bad_alloc();
    return Element(created);
}

std::string Element::text() const {
    if (node_ == nullptr || node_->children == nullptr)
        return {};
    const xmlNode* only = node_->children;
    if (only->next != nullptr ||
        (only->type != XML_TEXT_NODE && only->type != XML_CDATA_SECTION_NODE))
        throw Error("Element does not contain a single text node");
    return only->content == nullptr ? std::string() : reinterpret_cast<const char*>(only->content);
}

std::optional<std::string> Element::value() const {
    std::string content = text();
    if (content.empty())
        return std::nullopt;
    return content;
}

std::string Element::readText(std::string_view name) const {
    return child(name).text();
}

std::string Element::readStrictText(std::string_view name) const {
    return strictTextValue(child(name).value());
}

std::int32_t Element::readInteger(std::string_view name) const {
    return integerValue(child(name).value());
}

std::uint16_t Element::readWord(std::string_view name) const {
    return static_cast<std::uint16_t>(readInteger(name));
}

bool Element::readBoolean(std::string_view name) const {
    return booleanValue(child(name).value());
}

TextList Element::readTextList(std::string_view name) const {
    return TextList(childrenNamed(name));
}

void Element::writeText(std::string_view name, std::string_view text) const {
    xmlNode* target = child(name).node();
    xmlNodeSetContent(target, nullptr);
    // Added as a plain text node, so an "&" in the new text is data, not an entity reference.
    xmlNodeAddContentLen(target, xml(text), static_cast<int>(text.size()));
}

std::vector<xmlNode*> Element::childrenNamed(std::string_view name) const {
    std::vector<xmlNode*> items;
    if (node_ == nullptr)
        return items;
    for (xmlNode* child = node_->children; child != nullptr; child = child->next)
        if (isNamed(child, name))
            items.push_back(child);
    return items;
}

std::string TextList::get_item(int index) const {
    return strictTextValue(Element(items_.at(static_cast<std::size_t>(index))).value());
}

}  // namespace kalvex::ereport
