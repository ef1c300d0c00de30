#pragma once

namespace kalvex::cli {

// `kalvex-import list-doctors --nrd YEAR|auto --xml FILE`: the doctors of an e-report,
// one line each, "<position>\t<UIN>\t<text>"; with --nrd auto read under the version the
// file clearly belongs to, which stderr names. `argv` holds the words after the
// sub-command.
int listXmlDoctors(int argc, char** argv);

}  // namespace kalvex::cli
