#pragma once

#include <string>

#include "ereport/between_blocks.h"

struct _xmlDoc;

namespace kalvex::ereport {

// Parses an e-report file in whatever encoding it declares (a byte-order mark
// included) and, when the document's whole DTD lies inside it, validates it against
// that DTD. Nothing outside the file is ever read: no external DTD, no external
// entity, no network. Files whose loading would grow faster than their size (a DTD
// that declares entities, an element with more than a handful of attributes) and
// UTF-8 text under a single-byte encoding declaration are refused before they cost
// anything. Throws kalvex::Error with the reason or the parser's first error, on one
// line, naming the file and, where known, the line. The caller owns the result
// (xmlFreeDoc). `betweenBlocks` runs as the file is read, checked, parsed and
// validated, about every 256 KB of it, and between those steps.
_xmlDoc* parseReportFile(const std::string& fileName, const BetweenBlocks& betweenBlocks = {});

}  // namespace kalvex::ereport
