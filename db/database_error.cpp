#include "db/database_error.h"

#include "common/code_page.h"

namespace kalvex::db {

bool isDuplicateKey(std::string_view message) {
    return message.find(kDuplicateKeyPhrase) != std::string_view::npos;
}

std::string statusMessage(const ISC_STATUS* status) {
    std::string message;
    const ISC_STATUS* cursor = status;
    char line[1024];
    while (fb_interpret(line, sizeof line, &cursor) > 0) {
        if (!message.empty())
            message += '\n';
        // Names and key values from the database are its code page 1251 bytes, but a
        // line may instead carry the program's own UTF-8 text, such as the file name
        // of a failed open. The letters А to я of code page 1251 (0xC0 to 0xFF) never
        // form UTF-8 with a letter or ASCII beside them, so a line that is valid UTF-8
        // is taken as such.
        message += common::isUtf8(line) ? std::string(line) : common::fromCp1251(line);
    }
    return message;
}

void checkStatus(const ISC_STATUS* status) {
    if (status[0] == 1 && status[1] != 0)
        throw DatabaseError(statusMessage(status), isc_sqlcode(status));
}

}  // namespace kalvex::db
