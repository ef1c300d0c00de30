#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalvex::ereport {

// A file saved as UTF-8 under a declaration such as encoding="windows-1251" parses
// without a single error, and every Cyrillic letter turns into two wrong ones ("Мария"
// reads "РњР°СЂРёСЏ"). Real text in a single-byte code page is almost never valid UTF-8
// once it holds a letter or two, so a body that is valid UTF-8 with at least one
// multi-byte sequence gives such a file away. Returns the declared encoding of such a
// file, as it stands in its XML declaration.
std::optional<std::string> utf8UnderOtherDeclaration(std::string_view file);

}  // namespace kalvex::ereport
