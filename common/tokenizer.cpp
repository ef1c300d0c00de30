#include "common/tokenizer.h"

#include <stdexcept>

namespace kalvex::common {

TTokenizer::SeparatorSet::SeparatorSet(std::string_view characters) {
    for (const char c : characters) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 128)
            throw std::invalid_argument("tokenizer separators must be ASCII characters");
        set_.set(code);
    }
}

std::string TTokenizer::GetNextToken(const SeparatorSet& separators) {
    for (size_t p = 0; p < Text.size(); ++p) {
        if (separators.contains(Text[p])) {
            std::string token = Text.substr(0, p);
            Text.erase(0, p + 1);
            return token;
        }
    }
    std::string token = std::move(Text);
    Text.clear();
    return token;
}

}  // namespace kalvex::common
