#include "ereport/encoding_mismatch.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "common/code_page.h"

namespace kalvex::ereport {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The value of encoding="..." in the XML declaration at the start of an ASCII-based
// file; empty when there is none.
std::string declaredEncoding(std::string_view file) {
    if (file.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        file.remove_prefix(kUtf8Bom.size());
    if (file.substr(0, 5) != "<?xml" || file.size() < 6 || !isBlank(file[5]))
        return {};
    const std::size_t close = file.find("?>");
    if (close == std::string_view::npos)
        return {};
    const std::string_view declaration = file.substr(0, close);
    std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos)
        return {};
    at += 8;
    while (at < declaration.size() && isBlank(declaration[at]))
        ++at;
    if (at >= declaration.size() || declaration[at] != '=')
        return {};
    ++at;
    while (at < declaration.size() && isBlank(declaration[at]))
        ++at;
    if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\''))
        return {};
    const std::size_t end = declaration.find(declaration[at], at + 1);
    if (end == std::string_view::npos)
        return {};
    return std::string(declaration.substr(at + 1, end - at - 1));
}

bool isUnicodeName(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
    static constexpr std::array<std::string_view, 5> kPrefixes = {"UTF", "UCS", "ISO10646",
                                                                  "UNICODE", "CSUNICODE"};
    return std::any_of(kPrefixes.begin(), kPrefixes.end(), [&](std::string_view prefix) {
        return std::string_view(name).substr(0, prefix.size()) == prefix;
    });
}

// Valid UTF-8 holding at least one character outside ASCII.
bool isMultiByteUtf8(std::string_view text) {
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return !ascii && common::isUtf8(text);
}

}  // namespace

std::optional<std::string> utf8UnderOtherDeclaration(std::string_view file) {
    std::string declared = declaredEncoding(file);
    if (declared.empty() || isUnicodeName(declared) || !isMultiByteUtf8(file))
        return std::nullopt;
    return declared;
}

}  // namespace kalvex::ereport
