#pragma once

#include <bitset>
#include <string>
#include <string_view>

// Cuts a text into pieces at separator characters, one piece per call. Separators
// are not merged and nothing is trimmed: "a  b" gives "a", "", "b".
namespace kalvex::common {

class TTokenizer {
  public:
    // Separators are ASCII characters; the text is UTF-8, so an ASCII separator can
    // never fall inside a multi-byte character. Throws std::invalid_argument for a
    // non-ASCII separator.
    class SeparatorSet {
      public:
        explicit SeparatorSet(std::string_view characters);
        bool contains(char c) const {
            return static_cast<unsigned char>(c) < 128 && set_[static_cast<unsigned char>(c)];
        }

      private:
        std::bitset<128> set_;
    };

    explicit TTokenizer(SeparatorSet separators) : Separators(separators) {}

    // Replaces what is left of the old text.
    void Init(std::string_view text) { Text = text; }

    // The piece before the first separator (the separator is consumed), or the whole
    // rest when there is none; an empty piece once the text is used up.
    std::string GetNextToken(const SeparatorSet& separators);
    std::string GetNextToken() { return GetNextToken(Separators); }

  private:
    std::string Text;
    SeparatorSet Separators;
};

// The set every importer uses: the blank alone.
inline TTokenizer::SeparatorSet blankSeparator() {
    return TTokenizer::SeparatorSet(" ");
}

}  // namespace kalvex::common
