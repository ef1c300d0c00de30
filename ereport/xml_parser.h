#pragma once

#include <string>

struct _xmlDoc;

namespace kalvex::ereport {

// Parses an e-report file in whatever encoding it declares (a byte-order mark
// included) and, when the document's whole DTD lies inside it, validates it against
// that DTD. Nothing outside the file is ever read: no external DTD, no external
// entity, no network. Throws kalvex::Error with the parser's first error, which
// names the file and the line. The caller owns the result (xmlFreeDoc).
_xmlDoc* parseReportFile(const std::string& fileName);

}  // namespace kalvex::ereport
