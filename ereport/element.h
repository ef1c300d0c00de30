#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ereport/element_list.h"

namespace kalvex::ereport {

// A view onto one element of the loaded e-report, or onto no element at all.
// The typed views of every NRD version derive from it and name their properties;
// the reading rules (first occurrence wins, a missing single element is created
// empty, the exact failure texts) live here once. A view does not own its node:
// it is valid while the document that holds the node lives.
class Element {
  public:
    Element() = default;
    explicit Element(_xmlNode* node) : node_(node) {}

    bool isAbsent() const { return node_ == nullptr; }
    _xmlNode* node() const { return node_; }
    std::string name() const;

    // The first child element called `name`, or an absent view; creates nothing.
    Element findChild(std::string_view name) const;
    // Every child element called `name`, in document order; creates nothing.
    std::vector<Element> findChildren(std::string_view name) const;
    // The first child element called `name`, created empty as the last child when
    // there is none, so that later look-ups (findChild included) see it.
    Element child(std::string_view name) const;

    // The element's text: empty without content; fails with "Element does not
    // contain a single text node" when the content is anything but one text part.
    std::string text() const;
    // The text, or nothing when it is empty.
    std::optional<std::string> value() const;

  protected:
    // Property readers of the typed views, one per kind.
    std::string readText(std::string_view name) const;
    std::string readStrictText(std::string_view name) const;
    std::int32_t readInteger(std::string_view name) const;
    std::uint16_t readWord(std::string_view name) const;
    bool readBoolean(std::string_view name) const;
    template <class T>
    T readElement(std::string_view name) const {
        return T(child(name).node());
    }
    template <class T>
    ElementList<T> readList(std::string_view name) const {
        return ElementList<T>(childrenNamed(name));
    }
    TextList readTextList(std::string_view name) const;

    // Replaces the text of the child `name` (created when missing).
    void writeText(std::string_view name, std::string_view text) const;

  private:
    std::vector<_xmlNode*> childrenNamed(std::string_view name) const;

    _xmlNode* node_ = nullptr;
};

}  // namespace kalvex::ereport
