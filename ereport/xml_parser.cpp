#include "ereport/xml_parser.h"

#include <fcntl.h>
#include <libxml/parser.h>
#include <libxml/valid.h>
#include <libxml/xmlIO.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>

#include "common/error.h"

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

    int fd() const { return fd_; }

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
        std::string text = fileName;
        if (line_ > 0)
            text.append(":").append(std::to_string(line_));
        text.append(": ").append(message_ ? *message_ : fallback);
        throw Error(text);
    }

  private:
    static void collect(void* self, xmlErrorPtr error) {
        auto* collector = static_cast<ErrorCollector*>(self);
        if (error == nullptr || error->level < XML_ERR_ERROR || collector->message_)
            return;
        std::string message = error->message != nullptr ? error->message : "";
        while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
            message.pop_back();
        collector->message_ = std::move(message);
        collector->line_ = error->line;
    }

    xmlStructuredErrorFunc previousHandler_;
    void* previousContext_;
    std::optional<std::string> message_;
    int line_ = 0;
};

// Only a DTD that lies wholly inside the file can be checked: the external part that a
// DOCTYPE names is never read, and judging the file by the internal part alone would
// refuse a sound report for every element declared outside it.
bool carriesOwnDeclarations(const xmlDoc* doc) {
    const xmlDtd* dtd = doc->intSubset;
    return dtd != nullptr && dtd->children != nullptr && dtd->ExternalID == nullptr &&
           dtd->SystemID == nullptr;
}

void validateAgainstOwnDeclarations(xmlDoc* doc, const ErrorCollector& errors,
                                    const std::string& fileName) {
    std::unique_ptr<xmlValidCtxt, decltype(&xmlFreeValidCtxt)> validation(xmlNewValidCtxt(),
                                                                          &xmlFreeValidCtxt);
    if (!validation)
        throw std::bad_alloc();
    // Against the internal subset alone: xmlValidateDocument would go and fetch an
    // external subset that the DOCTYPE names.
    if (xmlValidateDtd(validation.get(), doc, doc->intSubset) != 1)
        errors.fail(fileName, "the document does not follow its DTD");
}

}  // namespace

xmlDoc* parseReportFile(const std::string& fileName) {
    refuseExternalResources();
    const InputFile file(fileName);
    ErrorCollector errors;
    std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> parser(xmlNewParserCtxt(),
                                                                        &xmlFreeParserCtxt);
    if (!parser)
        throw std::bad_alloc();
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
        xmlCtxtReadFd(parser.get(), file.fd(), fileName.c_str(), nullptr, kParseOptions),
        &xmlFreeDoc);
    if (!doc || !parser->wellFormed)
        errors.fail(fileName, "the file is not well-formed XML");
    if (carriesOwnDeclarations(doc.get()))
        validateAgainstOwnDeclarations(doc.get(), errors, fileName);
    return doc.release();
}

}  // namespace kalvex::ereport
