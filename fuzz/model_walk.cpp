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

// A conversion or read that may refuse its text with an Error, as the importers meet it.
template <class Action>
void attempt(Action&& action) {
    try {
        action();
    } catch (const Error&) {
        // Not a date, a number or a single text: the importer shows or logs the same Error.
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
    attempt([&] { common::DateFromSQL(text); });
    attempt([&] { common::StrToInt(text); });
    common::EgnToBirthDate(text);
    common::EgnToSexType(text);
    common::ValidEGN(text);
    common::SplitFullName(text);
}

void ModelWalk::readElementItself(const ereport::Element& element) {
    // Only the readers run here, not the conversions: the typed reads convert these texts.
    attempt([&] { element.value(); });
    if (element.isAbsent())
        return;
    int children = 0;
    for (const xmlNode* child = element.node()->children;
         child != nullptr && children < kChildrenReadByName; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        ++children;
        const std::string name = reinterpret_cast<const char*>(child->name);
        attempt([&] { ereport::ReadValue(element, name); });
        attempt([&] { ereport::ReadValueBool(element, name, false); });
        attempt([&] { ereport::ReadValueInt(element, name, -1); });
        ereport::Element found;
        ereport::GetNode(element, name, found);
        if (!ereport::NodeExsist(element, name) || found.isAbsent())
            finding("the node readers miss the child \"" + name + "\"");
    }
}

void ModelWalk::expectSame(const std::string& written, const std::string& read,
                           const char* property) {
    if (written != read)
        finding(std::string(property) + " written as \"" + written + "\" reads back as \"" + read +
                "\"");
}

}  // namespace kalvex::fuzz
