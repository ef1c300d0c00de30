#include "fuzz/model_walk.h"

#include <libxml/tree.h>

#include <stdexcept>

#include "common/characters.h"
#include "common/conversions.h"
#include "common/full_name.h"
#include "common/numbers.h"
#include "ereport/cp1251_text.h"
#include "ereport/node_helpers.h"

namespace kalvex::fuzz {
namespace {

// Children past these add time, not paths.
constexpr int kChildrenReadByName = 16;
constexpr std::size_t kCut = 12;

// A conversion the importers apply to a text; it may refuse the text with an Error.
template <class Convert>
void convert(Convert&& conversion) {
    try {
        conversion();
    } catch (const Error&) {
        // The text is no date or number: the importer shows or logs the same Error.
    }
}

[[noreturn]] void finding(const std::string& what) {
    throw std::logic_error(what);
}

}  // namespace

void ModelWalk::take(const ereport::TextList& list) {
    for (int i = 0; i < list.GetCount() && i < kItemsPerList; ++i)
        read([&] { return list.get_item(i); });
}

void ModelWalk::take(const std::string& text) {
    const std::string limited = ereport::limitToCp1251(text);
    if (ereport::limitToCp1251(limited) != limited)
        finding("limitToCp1251 changes its own result: " + limited);
    const std::string cut = common::leftCharacters(text, kCut);
    if (common::characterCount(cut) > kCut || text.compare(0, cut.size(), cut) != 0)
        finding("leftCharacters is no prefix of at most " + std::to_string(kCut) +
                " characters: " + cut);
    // Most texts are empty (the model creates what it misses); the conversions refuse
    // those by throwing, which costs the fuzzer much and finds nothing.
    if (text.empty())
        return;
    convert([&] { common::DateFromSQL(text); });
    convert([&] { common::StrToInt(text); });
    common::EgnToBirthDate(text);
    common::EgnToSexType(text);
    common::ValidEGN(text);
    common::SplitFullName(text);
}

void ModelWalk::readElementItself(const ereport::Element& element) {
    read([&] { return element.name(); });
    read([&] { return element.text(); });
    read([&] { return element.value().value_or(std::string()); });
    if (element.isAbsent())
        return;
    int children = 0;
    for (const xmlNode* child = element.node()->children;
         child != nullptr && children < kChildrenReadByName; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        ++children;
        const std::string name = reinterpret_cast<const char*>(child->name);
        read([&] { return ereport::ReadValue(element, name); });
        read([&] { return ereport::ReadValueInt(element, name, -1); });
        read([&] { return ereport::ReadValueBool(element, name, false); });
        read([&] { return ereport::NodeExsist(element, name); });
        if (ereport::GetNode(element, name).isAbsent())
            finding("GetNode misses the child \"" + name + "\"");
    }
}

void ModelWalk::expectSame(const std::string& written, const std::string& read,
                           const char* property) {
    if (written != read)
        finding(std::string(property) + " written as \"" + written + "\" reads back as \"" + read +
                "\"");
}

}  // namespace kalvex::fuzz
