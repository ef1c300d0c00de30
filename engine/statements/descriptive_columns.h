#pragma once

#include <string_view>

namespace kalvex::engine {

// Whether the column holds a descriptive text — a diagnosis, a description, an address,
// a note — which is cut to the column's length when it is longer, rather than refused:
// the record keeps as much of it as fits. Identifying values (names, numbers, codes)
// are not: a longer one is refused with the column named.
bool isDescriptiveColumn(std::string_view column);

}  // namespace kalvex::engine
