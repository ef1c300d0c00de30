#include "ereport/xml_parser.h"

#include <fcntl.h>
#include <libxml/SAX2.h>
#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/valid.h>
#include <libxml/xmlIO.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "common/error.h"
#include "ereport/encoding_mismatch.h"
#include "ereport/start_tag_scan.h"

namespace kalvex::ereport {
namespace {

// No DTD loading, no entity substitution and no validation while parsing: with any of
// these libxml2 2.9 fetches the external DTDs and entities that a document names.
// BIG_LINES keeps line numbers right past 65535; COMPACT and NOBLANKS (which drops only
// the blanks between elements, never the text of a value element) keep a large report's
// tree small.
constexpr int kParseOptions =
    XML_PARSE_NONET | XML_PARSE_BIG_LINES | XML_PARSE_COMPACT | XML_PARSE_NOBLANKS;

// The options above already keep libxml2 from opening anything a report names; this
// loader makes sure of it for any path we did not think of. The report itself is
// opened by us, not through the loader.
xmlParserInputPtr refuseExternalResource(const char*, const char*, xmlParserCtxtPtr) {
    return nullptr;
}

void refuseExternalResources() {
    static std::once_flag once;
    std::call_once(once, [] { xmlSetExternalEntityLoader(refuseExternalResource); });
}

// An e-report carries a handful of attributes on an element at most; the bound keeps
// libxml2's pairwise duplicate check of a start tag's attributes cheap.
constexpr std::size_t kMaxAttributes = 64;

// "<file>:<line>: <message>", the line left out when it is unknown.
[[noreturn]] void refuse(const std::string& fileName, int line, const std::string& message) {
    std::string text = fileName;
    if (line > 0)
        text.append(":").append(std::to_string(line));
    throw Error(text.append(": ").append(message));
}

// Parser messages end in a line break and some hold one in the middle ("...indicate
// encoding !\nBytes: 0xD0 0x00"); the user sees one line.
std::string oneLine(const char* message) {
    std::string text;
    bool blank = false;
    for (const char* c = message; c != nullptr && *c != '\0'; ++c) {
        if (static_cast<unsigned char>(*c) <= ' ') {
            blank = !text.empty();
            continue;
        }
        if (blank)
            text += ' ';
        blank = false;
        text += *c;
    }
    return text;
}

class InputFile {
  public:
    explicit InputFile(const std::string& fileName)
        : fd_(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC)) {
        if (fd_ < 0)
            throw Error(fileName + ": " + std::strerror(errno));
    }
    ~InputFile() { ::close(fd_); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // The whole file: the checks before parsing look at its bytes.
    std::string read(const std::string& fileName, const BetweenBlocks& betweenBlocks) const {
        BlockPacer pacer(betweenBlocks);
        std::string bytes;
        char block[1 << 16];
        for (;;) {
            const ssize_t got = ::read(fd_, block, sizeof block);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                throw Error(fileName + ": " + std::strerror(errno));
            if (got == 0)
                return bytes;
            bytes.append(block, static_cast<std::size_t>(got));
            pacer.at(bytes.size());
        }
    }

  private:
    int fd_;
};

// Keeps the first error of a parse or validation and keeps libxml2 from printing.
class ErrorCollector {
  public:
    ErrorCollector()
        : previousHandler_(xmlStructuredError), previousContext_(xmlStructuredErrorContext) {
        xmlSetStructuredErrorFunc(this, &ErrorCollector::collect);
    }
    ~ErrorCollector() { xmlSetStructuredErrorFunc(previousContext_, previousHandler_); }
    ErrorCollector(const ErrorCollector&) = delete;
    ErrorCollector& operator=(const ErrorCollector&) = delete;

    // Throws the first error as "<file>:<line>: <message>", or `fallback` when libxml2
    // reported none.
    [[noreturn]] void fail(const std::string& fileName, const char* fallback) const {
        refuse(fileName, line_, message_ ? *message_ : fallback);
    }

  private:
    static void collect(void* self, xmlErrorPtr error) {
        auto* collector = static_cast<ErrorCollector*>(self);
        if (error == nullptr || error->level < XML_ERR_ERROR || collector->message_)
            return;
        collector->message_ = oneLine(error->message);
        collector->line_ = error->line;
    }

    xmlStructuredErrorFunc previousHandler_;
    void* previousContext_;
    std::optional<std::string> message_;
    int line_ = 0;
};

// Refuses, while the DTD is being read, what would make the rest of the work grow
// faster than the file: an entity (a short one named many times, each time expanding
// to many references, makes validation quadratic, and reading the text would expand
// it all again) and more declared attributes of one element than the bound (libxml2
// adds declared defaults to every start tag with the same pairwise check). Real
// e-reports declare neither. Stopping the parser leaves the rest of the file unread.
class DtdGuard {
  public:
    explicit DtdGuard(xmlParserCtxt* parser) : parser_(parser) {
        parser->_private = this;
        parser->sax->entityDecl = &DtdGuard::entityDeclared;
        parser->sax->unparsedEntityDecl = &DtdGuard::unparsedEntityDeclared;
        parser->sax->attributeDecl = &DtdGuard::attributeDeclared;
    }
    DtdGuard(const DtdGuard&) = delete;
    DtdGuard& operator=(const DtdGuard&) = delete;

    void check(const std::string& fileName) const {
        if (refusal_)
            refuse(fileName, line_, *refusal_);
    }

  private:
    static DtdGuard& of(void* parser) {
        return *static_cast<DtdGuard*>(static_cast<xmlParserCtxt*>(parser)->_private);
    }
    static std::string text(const xmlChar* name) {
        return name != nullptr ? reinterpret_cast<const char*>(name) : "";
    }

    static void entityDeclared(void* parser, const xmlChar* name, int type, const xmlChar*,
                               const xmlChar*, xmlChar*) {
        const bool parameter =
            type == XML_INTERNAL_PARAMETER_ENTITY || type == XML_EXTERNAL_PARAMETER_ENTITY;
        of(parser).stop("the file's DTD declares the entity \"" +
                        std::string(parameter ? "%" : "") + text(name) +
                        "\"; an e-report declares no entities");
    }
    static void unparsedEntityDeclared(void* parser, const xmlChar* name, const xmlChar*,
                                       const xmlChar*, const xmlChar*) {
        entityDeclared(parser, name, XML_EXTERNAL_GENERAL_UNPARSED_ENTITY, nullptr, nullptr,
                       nullptr);
    }
    static void attributeDeclared(void* parser, const xmlChar* element, const xmlChar* name,
                                  int type, int def, const xmlChar* defaultValue,
                                  xmlEnumeration* values) {
        xmlSAX2AttributeDecl(parser, element, name, type, def, defaultValue, values);
        DtdGuard& guard = of(parser);
        if (++guard.declaredAttributes_[text(element)] > kMaxAttributes)
            guard.stop("the file's DTD declares more than " + std::to_string(kMaxAttributes) +
                       " attributes for the element \"" + text(element) +
                       "\"; an e-report has only a few on any element");
    }

    void stop(std::string message) {
        if (!refusal_) {
            refusal_ = std::move(message);
            line_ = xmlSAX2GetLineNumber(parser_);
        }
        xmlStopParser(parser_);
    }

    xmlParserCtxt* parser_;
    std::optional<std::string> refusal_;
    int line_ = 0;
    std::unordered_map<std::string, std::size_t> declaredAttributes_;
};

// Checks of the raw bytes, each linear in the file's size, before libxml2 sees them.
void checkBytes(const std::string& fileName, const std::string& bytes,
                const BetweenBlocks& betweenBlocks) {
    if (bytes.empty())
        refuse(fileName, 0, "the file is empty");
    const auto* start = reinterpret_cast<const unsigned char*>(bytes.data());
    if (xmlDetectCharEncoding(start, static_cast<int>(std::min<std::size_t>(bytes.size(), 4))) ==
        XML_CHAR_ENCODING_EBCDIC)
        refuse(fileName, 0,
               "the file is in EBCDIC; an e-report is in UTF-8, UTF-16 or a single-byte code "
               "page such as windows-1251");
    if (const auto line = findCrowdedStartTag(bytes, kMaxAttributes, betweenBlocks))
        refuse(fileName, *line,
               "an element has more than " + std::to_string(kMaxAttributes) +
                   " attributes; an e-report has only a few on any element");
    if (const auto declared = utf8UnderOtherDeclaration(bytes))
        refuse(fileName, 0,
               "the file declares the encoding " + *declared +
                   ", but its text is UTF-8; its Cyrillic would be read as other letters");
}

// Hands the checked bytes to libxml2 block by block: parsing from memory would have it
// copy the whole file first.
// The caller's hook runs between blocks; libxml2's frames lie under this callback, so
// a hook that throws ends the program rather than unwind through them.
struct BytesReader {
    std::string_view rest;
    BlockPacer pacer;
    std::size_t done = 0;

    static int read(void* self, char* buffer, int length) noexcept {
        auto& reader = *static_cast<BytesReader*>(self);
        reader.pacer.at(reader.done);
        const std::size_t count = std::min(reader.rest.size(), static_cast<std::size_t>(length));
        reader.rest.copy(buffer, count);
        reader.rest.remove_prefix(count);
        reader.done += count;
        return static_cast<int>(count);
    }
};

// Only a DTD that lies wholly inside the file can be checked: the external part that a
// DOCTYPE names is never read, and judging the file by the internal part alone would
// refuse a sound report for every element declared outside it.
bool carriesOwnDeclarations(const xmlDoc* doc) {
    const xmlDtd* dtd = doc->intSubset;
    return dtd != nullptr && dtd->children != nullptr && dtd->ExternalID == nullptr &&
           dtd->SystemID == nullptr;
}

// One element with its attributes and namespace declarations, as libxml2's own walk
// checks each node; false when any of them breaks the DTD.
bool validateOneNode(xmlValidCtxt* validation, xmlDoc* doc, xmlNode* node) {
    int valid = xmlValidateOneElement(validation, doc, node);
    if (node->type != XML_ELEMENT_NODE)
        return valid == 1;
    for (xmlAttr* attribute = node->properties; attribute != nullptr; attribute = attribute->next) {
        xmlChar* value = xmlNodeListGetString(doc, attribute->children, 0);
        valid &= xmlValidateOneAttribute(validation, doc, node, attribute, value);
        xmlFree(value);
    }
    for (xmlNs* ns = node->nsDef; ns != nullptr; ns = ns->next)
        valid &= xmlValidateOneNamespace(
            validation, doc, node, node->ns != nullptr ? node->ns->prefix : nullptr, ns, ns->href);
    return valid == 1;
}

// Every node under `root` in document order, the caller's hook running between blocks
// of nodes: xmlValidateElement would check a large report in one go.
bool validateTree(xmlValidCtxt* validation, xmlDoc* doc, xmlNode* root, BlockPacer& pacer) {
    bool valid = true;
    std::size_t nodes = 0;
    xmlNode* node = root;
    for (;;) {
        pacer.at(++nodes);
        valid = validateOneNode(validation, doc, node) && valid;
        if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
            node = node->children;
            continue;
        }
        while (node != root && node->next == nullptr)
            node = node->parent;
        if (node == root)
            return valid;
        node = node->next;
    }
}

// Against the internal subset alone: xmlValidateDocument would go and fetch an
// external subset that the DOCTYPE names. These are xmlValidateDtd's steps with the
// tree walked here; as there, the subset stands in as the external one while they run,
// which leaves the DOCTYPE's name unchecked against the root's.
void validateAgainstOwnDeclarations(xmlDoc* doc, const ErrorCollector& errors,
                                    const std::string& fileName,
                                    const BetweenBlocks& betweenBlocks) {
    std::unique_ptr<xmlValidCtxt, decltype(&xmlFreeValidCtxt)> validation(xmlNewValidCtxt(),
                                                                          &xmlFreeValidCtxt);
    if (!validation)
        throw std::bad_alloc();
    struct Subsets {
        xmlDoc* doc;
        xmlDtd* external = doc->extSubset;
        xmlDtd* internal = doc->intSubset;
        explicit Subsets(xmlDoc* d) : doc(d) {
            doc->extSubset = internal;
            doc->intSubset = nullptr;
        }
        ~Subsets() {
            doc->extSubset = external;
            doc->intSubset = internal;
        }
        Subsets(const Subsets&) = delete;
        Subsets& operator=(const Subsets&) = delete;
    } subsets(doc);
    bool valid = xmlValidateRoot(validation.get(), doc) == 1;
    if (valid) {
        if (doc->ids != nullptr) {
            xmlFreeIDTable(static_cast<xmlIDTable*>(doc->ids));
            doc->ids = nullptr;
        }
        if (doc->refs != nullptr) {
            xmlFreeRefTable(static_cast<xmlRefTable*>(doc->refs));
            doc->refs = nullptr;
        }
        // Nodes rather than bytes: a node costs about what 16 bytes of the file do.
        BlockPacer pacer(betweenBlocks, BlockPacer::kBlockBytes / 16);
        valid = validateTree(validation.get(), doc, xmlDocGetRootElement(doc), pacer);
        valid = xmlValidateDocumentFinal(validation.get(), doc) == 1 && valid;
    }
    if (!valid)
        errors.fail(fileName, "the document does not follow its DTD");
}

}  // namespace

xmlDoc* parseReportFile(const std::string& fileName, const BetweenBlocks& betweenBlocks) {
    refuseExternalResources();
    BlockPacer steps(betweenBlocks);
    const std::string bytes = InputFile(fileName).read(fileName, betweenBlocks);
    steps.step();
    checkBytes(fileName, bytes, betweenBlocks);
    steps.step();
    ErrorCollector errors;
    BytesReader reader{bytes, BlockPacer(betweenBlocks)};
    std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> parser(
        xmlCreateIOParserCtxt(nullptr, nullptr, &BytesReader::read, nullptr, &reader,
                              XML_CHAR_ENCODING_NONE),
        &xmlFreeParserCtxt);
    if (!parser)
        throw std::bad_alloc();
    xmlCtxtUseOptions(parser.get(), kParseOptions);
    const DtdGuard guard(parser.get());
    xmlParseDocument(parser.get());
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(parser->myDoc, &xmlFreeDoc);
    parser->myDoc = nullptr;
    guard.check(fileName);
    if (!doc || !parser->wellFormed)
        errors.fail(fileName, "the file is not well-formed XML");
    if (carriesOwnDeclarations(doc.get())) {
        steps.step();
        validateAgainstOwnDeclarations(doc.get(), errors, fileName, betweenBlocks);
    }
    return doc.release();
}

}  // namespace kalvex::ereport
