#pragma once

#include <string>
#include <string_view>

namespace kalvex::engine {

// `text` as a JSON string: quoted, with quotes, backslashes and control characters
// escaped.
std::string jsonQuoted(std::string_view text);

}  // namespace kalvex::engine
