#pragma once

#include <memory>
#include <string>

#include "ereport/between_blocks.h"
#include "ereport/element.h"

struct _xmlDoc;

namespace kalvex::ereport {

// One parsed e-report. The typed views point into it, so it must outlive them.
class Document {
  public:
    // Parses `fileName` (see xml_parser.h); throws kalvex::Error with the parser's message.
    static std::shared_ptr<Document> load(const std::string& fileName,
                                          const BetweenBlocks& betweenBlocks = {});

    explicit Document(_xmlDoc* doc) : doc_(doc) {}
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // The root element, created as "Practice" when the document has none.
    Element root();
    // The root element, or an absent one; creates nothing.
    Element existingRoot() const;

  private:
    _xmlDoc* doc_;
};

void requirePracticeRoot(const Element& root);

// Views the root of `document` as the root class of an NRD version. The root must be
// "Practice"; anything else belongs to no version and fails.
template <class PracticeT>
PracticeT bindPractice(Document& document) {
    const Element root = document.root();
    requirePracticeRoot(root);
    return PracticeT(root.node());
}

}  // namespace kalvex::ereport
