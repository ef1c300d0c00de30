#include "common/code_page.h"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <clocale>
#include <system_error>

namespace kalvex::common {
namespace {

// One converter per direction and thread: iconv_open is far too slow to call per value.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::system_error(errno, std::generic_category(),
                                    std::string("iconv_open ") + from + " -> " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; where iconv refuses a sequence, writes "?" and skips
    // `skipLength(rest)` input bytes.
    template <typename Skip>
    std::string convert(std::string_view in, Skip skipLength) {
        std::string out;
        out.reserve(in.size() * 2 + 4);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buffer[1024];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, dst - buffer);
            if (rc != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ (no such character) or EINVAL (truncated sequence at the end).
            out.push_back('?');
            const size_t skip = skipLength(std::string_view(src, srcLeft));
            src += skip;
            srcLeft -= skip;
        }
        return out;
    }

  private:
    iconv_t cd_;
};

// Length of the UTF-8 sequence at the start of `s`, or 1 for a stray byte.
size_t utf8SequenceLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else if (lead >= 0xE0 && lead < 0xF0)
        length = 3;
    else if (lead >= 0xC2 && lead < 0xE0)
        length = 2;
    if (length > s.size())
        return 1;
    for (size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            return 1;
    return length;
}

bool isAscii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

}  // namespace

void useUtf8CharacterSet() {
    if (std::string_view(nl_langinfo(CODESET)) != "UTF-8")
        std::setlocale(LC_CTYPE, "C.UTF-8");
}

bool isUtf8(std::string_view text) {
    while (!text.empty()) {
        const size_t length = utf8SequenceLength(text);
        if (length == 1 && static_cast<unsigned char>(text[0]) >= 0x80)
            return false;
        text.remove_prefix(length);
    }
    return true;
}

std::string toCp1251(std::string_view utf8) {
    if (isAscii(utf8))
        return std::string(utf8);
    thread_local Converter converter("CP1251", "UTF-8");
    return converter.convert(utf8, utf8SequenceLength);
}

std::string fromCp1251(std::string_view cp1251) {
    if (isAscii(cp1251))
        return std::string(cp1251);
    thread_local Converter converter("UTF-8", "CP1251");
    return converter.convert(cp1251, [](std::string_view) { return size_t{1}; });
}

}  // namespace kalvex::common
