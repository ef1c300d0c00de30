#pragma once

#include <cstdio>
#include <random>
#include <string>

namespace kalvex::bench {

// The draws the report generator makes, from one seeded sequence.
class RandomDraws {
  public:
    explicit RandomDraws(unsigned seed) : random_(seed) {}

  protected:
    std::size_t pick(std::size_t size) {
        return std::uniform_int_distribution<std::size_t>(0, size - 1)(random_);
    }
    int between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <class Array>
    auto any(const Array& array) {
        return array[pick(array.size())];
    }
    static std::string flag(bool on) { return on ? "1" : "0"; }
    static std::string digits(long long value, int width) {
        char text[32];
        std::snprintf(text, sizeof text, "%0*lld", width, value);
        return text;
    }

  private:
    std::mt19937 random_;
};

}  // namespace kalvex::bench
