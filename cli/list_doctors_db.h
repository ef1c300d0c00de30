#pragma once

#include <iosfwd>

namespace kalvex::cli {

// kalvex-import list-doctors --db DATABASE: one line per doctor of the practice
// database ordered by ID, "<ID>\t<UIN>\t<FNAME SNAME LNAME>". Returns the exit code:
// 0, or 2 after writing the client's message to `err` when the database cannot be
// read, or the usage when the arguments are not of that form.
int listDoctorsDb(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace kalvex::cli
