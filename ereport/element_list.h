#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

struct _xmlNode;

namespace kalvex::ereport {

// The repeated children of one name, in document order; children of other names
// in between are not items. The items are collected once, when the property is
// read, so that walking a long list stays linear.
template <class T>
class ElementList {
  public:
    explicit ElementList(std::vector<_xmlNode*> items) : items_(std::move(items)) {}

    int GetCount() const { return static_cast<int>(items_.size()); }
    T get_item(int index) const { return T(items_.at(static_cast<std::size_t>(index))); }

  private:
    std::vector<_xmlNode*> items_;
};

// A list of repeated value elements whose items read as strict text: an empty
// item fails as a strict text property does.
class TextList {
  public:
    explicit TextList(std::vector<_xmlNode*> items) : items_(std::move(items)) {}

    int GetCount() const { return static_cast<int>(items_.size()); }
    std::string get_item(int index) const;

  private:
    std::vector<_xmlNode*> items_;
};

using TXMLCodeType2List = TextList;
using TXMLMKBCodeType13List = TextList;
using TXMLProcCodeTypeList = TextList;

}  // namespace kalvex::ereport
