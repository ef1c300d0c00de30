#include "common/characters.h"

namespace kalvex::common {
namespace {

// A UTF-8 continuation byte belongs to the character before it.
bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8)
        count += isContinuation(c) ? 0 : 1;
    return count;
}

std::string leftCharacters(std::string_view utf8, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++pos) {
        if (!isContinuation(utf8[pos]) && seen++ == count)
            return std::string(utf8.substr(0, pos));
    }
    return std::string(utf8);
}

std::string oneLine(std::string_view message) {
    std::string line;
    bool pendingBreak = false;
    for (const char c : message) {
        if (c == '\n' || c == '\r') {
            pendingBreak = !line.empty();
            continue;
        }
        if (pendingBreak && c == ' ')
            continue;
        if (pendingBreak)
            line += "; ";
        pendingBreak = false;
        line += c;
    }
    return line;
}

}  // namespace kalvex::common
