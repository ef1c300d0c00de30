#pragma once

namespace kalvex::cli {

// `kalvex-import list-doctors --nrd YEAR --xml FILE`: the doctors of an e-report, one
// line each, "<position>\t<UIN>\t<text>". `argv` holds the words after the sub-command.
int listXmlDoctors(int argc, char** argv);

}  // namespace kalvex::cli
