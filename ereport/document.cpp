#include "ereport/document.h"

#include <libxml/tree.h>

#include <new>

#include "common/error.h"
#include "ereport/xml_parser.h"

namespace kalvex::ereport {

std::shared_ptr<Document> Document::load(const std::string& fileName,
                                         const BetweenBlocks& betweenBlocks) {
    return std::make_shared<Document>(parseReportFile(fileName, betweenBlocks));
}

Document::~Document() {
    xmlFreeDoc(doc_);
}

Element Document::root() {
    if (xmlNode* root = xmlDocGetRootElement(doc_))
        return Element(root);
    xmlNode* created =
        xmlNewDocNode(doc_, nullptr, reinterpret_cast<const xmlChar*>("Practice"), nullptr);
    if (created == nullptr)
        throw std::bad_alloc();
    xmlDocSetRootElement(doc_, created);
    return Element(created);
}

Element Document::existingRoot() const {
    return Element(xmlDocGetRootElement(doc_));
}

void requirePracticeRoot(const Element& root) {
    if (root.name() != "Practice" || root.node()->ns != nullptr)
        throw Error("The root element \"" + root.name() + "\" is not \"Practice\"");
}

}  // namespace kalvex::ereport
