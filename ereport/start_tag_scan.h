#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "ereport/between_blocks.h"

namespace kalvex::ereport {

// libxml2 checks the attributes of a start tag for duplicates pair by pair before it
// hands the tag on, so one element with a hundred thousand attributes takes it many
// seconds. This scan looks at the raw file first, in one pass: it steps over comments,
// CDATA sections, processing instructions and the DOCTYPE with its internal subset,
// counts the quoted values of every start tag, and gives the line (from 1) of the first
// start tag that has more than `limit`. Files in UTF-16 or UCS-4 are read in their own
// code units; any other encoding must keep ASCII in single bytes (EBCDIC does not, and
// the caller refuses it before).
// `betweenBlocks` runs about every 256 KB of the file.
std::optional<int> findCrowdedStartTag(std::string_view file, std::size_t limit,
                                       const BetweenBlocks& betweenBlocks = {});

}  // namespace kalvex::ereport
