#include "app/file_page_messages.h"

#include <cctype>
#include <filesystem>
#include <fstream>

#include "common/error.h"
#include "db/database_error.h"
#include "db/gdb_mediator.h"

namespace kalvex::app {
namespace {

std::string twoLines(const std::string& first, const std::string& technical) {
    return technical.empty() ? first : first + "\n" + technical;
}

// "host:path" and the "inet://" forms reach a server, whose files are not ours to
// look at; a drive letter is still a local path.
bool isLocalPath(const std::string& name) {
    const auto colon = name.find(':');
    return colon == std::string::npos ||
           (colon == 1 && std::isalpha(static_cast<unsigned char>(name[0])) &&
            name.find("://") == std::string::npos);
}

bool readable(const std::string& fileName) {
    std::error_code error;
    return std::filesystem::is_regular_file(fileName, error) && std::ifstream(fileName).is_open();
}

// The parser's text starts with "<file>:<line>: " when it knows the line.
std::string lineOf(const std::string& fileName, const std::string& technical) {
    const std::string prefix = fileName + ":";
    if (technical.compare(0, prefix.size(), prefix) != 0)
        return {};
    std::size_t end = prefix.size();
    while (end < technical.size() && std::isdigit(static_cast<unsigned char>(technical[end])))
        ++end;
    if (end == prefix.size() || end >= technical.size() || technical[end] != ':')
        return {};
    return technical.substr(prefix.size(), end - prefix.size());
}

}  // namespace

const char* const kNoDatabaseGiven =
    "Не е посочена база на Salvix, в която да се импортират данните!";

std::string missingFolderMessage(const std::string& folder) {
    return twoLines("Посочената папка не съществува!", folder);
}

void openPracticeDatabase(db::Tdm& dm, const std::string& databaseName) {
    try {
        db::GDBOpenDatabase(dm, databaseName);
    } catch (const db::DatabaseError& e) {
        std::error_code error;
        if (isLocalPath(databaseName) && !std::filesystem::exists(databaseName, error))
            throw Error(twoLines("Посочената база не съществува!", e.what()));
        throw;
    }
}

std::string xmlLoadMessage(const std::string& fileName, const std::string& technical) {
    const std::string quoted = "„" + fileName + "“";
    if (!readable(fileName))
        return twoLines("XML файлът " + quoted + " не може да бъде прочетен!", technical);
    const std::string line = lineOf(fileName, technical);
    if (line.empty())
        return twoLines("Грешка в XML файла " + quoted + "!", technical);
    return twoLines("Грешка в XML файла " + quoted + " на ред " + line + "!", technical);
}

}  // namespace kalvex::app
