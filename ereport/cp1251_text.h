#pragma once

#include <string>
#include <string_view>

#include "common/code_page.h"

namespace kalvex::ereport {

// Text as the rest of the program sees it: what code page 1251 cannot hold is "?".
inline std::string limitToCp1251(std::string_view utf8) {
    return common::fromCp1251(common::toCp1251(utf8));
}

}  // namespace kalvex::ereport
