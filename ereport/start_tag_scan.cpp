#include "ereport/start_tag_scan.h"

namespace kalvex::ereport {
namespace {

// Where the ASCII byte of a character sits in a code unit of the file's encoding: a
// unit stands for an ASCII character when that byte holds it and the others are zero.
struct UnitLayout {
    std::size_t width = 1;
    std::size_t asciiByte = 0;
};

UnitLayout layoutOf(std::string_view file) {
    auto startsWith = [&](std::string_view prefix) {
        return file.substr(0, prefix.size()) == prefix;
    };
    using namespace std::string_view_literals;
    if (startsWith("\x00\x00\x00\x3C"sv) || startsWith("\x00\x00\xFE\xFF"sv))
        return {4, 3};
    if (startsWith("\x3C\x00\x00\x00"sv) || startsWith("\xFF\xFE\x00\x00"sv))
        return {4, 0};
    if (startsWith("\x00\x00\x3C\x00"sv))
        return {4, 2};
    if (startsWith("\x00\x3C\x00\x00"sv))
        return {4, 1};
    if (startsWith("\xFE\xFF"sv) || startsWith("\x00\x3C\x00\x3F"sv))
        return {2, 1};
    if (startsWith("\xFF\xFE"sv) || startsWith("\x3C\x00\x3F\x00"sv))
        return {2, 0};
    return {};
}

// Reads the file character by character as ASCII (anything else is kNone) and counts
// lines as it goes.
class Cursor {
  public:
    static constexpr int kNone = -1;

    Cursor(std::string_view file, UnitLayout layout)
        : file_(file), layout_(layout), units_(file.size() / layout.width) {}

    bool atEnd() const { return unit_ >= units_; }
    std::size_t offset() const { return unit_ * layout_.width; }
    int line() const { return line_; }
    int peek(std::size_t ahead = 0) const {
        const std::size_t unit = unit_ + ahead;
        if (unit >= units_)
            return kNone;
        const std::size_t first = unit * layout_.width;
        int ascii = kNone;
        for (std::size_t i = 0; i < layout_.width; ++i) {
            const auto byte = static_cast<unsigned char>(file_[first + i]);
            if (i == layout_.asciiByte)
                ascii = byte < 0x80 ? byte : kNone;
            else if (byte != 0)
                return kNone;
        }
        return ascii;
    }
    bool lookingAt(std::string_view text) const {
        for (std::size_t i = 0; i < text.size(); ++i)
            if (peek(i) != text[i])
                return false;
        return true;
    }
    void advance(std::size_t count = 1) {
        for (; count > 0 && !atEnd(); --count) {
            if (peek() == '\n')
                ++line_;
            ++unit_;
        }
    }
    // Moves past the next `end`, or to the end of the file.
    void skipPast(std::string_view end) {
        while (!atEnd() && !lookingAt(end))
            advance();
        advance(end.size());
    }

  private:
    std::string_view file_;
    UnitLayout layout_;
    std::size_t units_;
    std::size_t unit_ = 0;
    int line_ = 1;
};

bool isQuote(int c) {
    return c == '"' || c == '\'';
}

// A quoted value ends at its closing quote. A '<' cannot occur in a value, and libxml2
// gives up on the tag there, so the scan stops at it too and takes it as new markup.
// True when the closing quote was found.
bool skipQuoted(Cursor& in) {
    const int quote = in.peek();
    in.advance();
    while (!in.atEnd() && in.peek() != quote && in.peek() != '<')
        in.advance();
    if (in.peek() != quote)
        return false;
    in.advance();
    return true;
}

// "<!DOCTYPE ... [ ... ]>" and the declarations of its internal subset, whose '>' and
// brackets inside literals, comments and processing instructions do not count.
void skipDeclaration(Cursor& in) {
    int depth = 0;
    in.advance(2);
    while (!in.atEnd()) {
        const int c = in.peek();
        if (isQuote(c)) {
            const int quote = c;
            in.advance();
            while (!in.atEnd() && in.peek() != quote)
                in.advance();
            in.advance();
        } else if (in.lookingAt("<!--")) {
            in.skipPast("-->");
        } else if (in.lookingAt("<?")) {
            in.skipPast("?>");
        } else if (c == '[') {
            ++depth;
            in.advance();
        } else if (c == ']') {
            --depth;
            in.advance();
        } else if (c == '>' && depth <= 0) {
            in.advance();
            return;
        } else {
            in.advance();
        }
    }
}

// An end tag holds no '<' either; libxml2 goes on parsing from one that cuts it short.
void skipEndTag(Cursor& in) {
    in.advance();
    while (!in.atEnd() && in.peek() != '<' && in.peek() != '>')
        in.advance();
    if (in.peek() == '>')
        in.advance();
}

// Counts the quoted values of the start tag at the cursor, up to its '>' or the '<' of
// the next markup; true as soon as there are more than `limit`.
bool crowdedStartTag(Cursor& in, std::size_t limit) {
    std::size_t values = 0;
    in.advance();
    while (!in.atEnd() && in.peek() != '<') {
        const int c = in.peek();
        if (c == '>') {
            in.advance();
            return false;
        }
        if (!isQuote(c)) {
            in.advance();
        } else if (skipQuoted(in) && ++values > limit) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<int> findCrowdedStartTag(std::string_view file, std::size_t limit,
                                       const BetweenBlocks& betweenBlocks) {
    Cursor in(file, layoutOf(file));
    BlockPacer pacer(betweenBlocks);
    while (!in.atEnd()) {
        pacer.at(in.offset());
        if (in.peek() != '<') {
            in.advance();
        } else if (in.lookingAt("<!--")) {
            in.skipPast("-->");
        } else if (in.lookingAt("<![CDATA[")) {
            in.skipPast("]]>");
        } else if (in.lookingAt("<!")) {
            skipDeclaration(in);
        } else if (in.lookingAt("<?")) {
            in.skipPast("?>");
        } else if (in.lookingAt("</")) {
            skipEndTag(in);
        } else {
            const int line = in.line();
            if (crowdedStartTag(in, limit))
                return line;
        }
    }
    return std::nullopt;
}

}  // namespace kalvex::ereport
