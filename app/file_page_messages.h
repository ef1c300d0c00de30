#pragma once

#include <string>

namespace kalvex {
class Error;
namespace db {
class Tdm;
}
}  // namespace kalvex

// The file page's answers to the common mistakes: a first line in Bulgarian that
// says what is wrong and, where there is one, the technical text on the second line
// for whoever has to look further.
namespace kalvex::app {

// The database field left empty.
extern const char* const kNoDatabaseGiven;

// Folder mode with a folder that is not there.
std::string missingFolderMessage(const std::string& folder);

// Opens the practice database named by the wizard's field; a local path that does
// not exist is told so, any other failure keeps the client's own text.
void openPracticeDatabase(db::Tdm& dm, const std::string& databaseName);

// The failure of parsing `fileName` (`technical` being the parser's text) as the
// user is to read it: the file could not be read, or is broken at a line.
std::string xmlLoadMessage(const std::string& fileName, const std::string& technical);

}  // namespace kalvex::app
