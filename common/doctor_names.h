#pragma once

#include <string>

namespace kalvex::common {

// The name a database doctor entry must carry to match an XML doctor entry
// "<FullName>  (<n> амб.листа)": the text before the first blank, one blank, and
// the text between that blank and the " (" that opens the sheet count, each trimmed
// of blanks.
std::string databaseNameOfXmlEntry(const std::string& xmlEntryText);

}  // namespace kalvex::common
