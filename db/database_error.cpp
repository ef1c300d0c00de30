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
        message += line;
    }
    // Names and key values inside the message are the database's code page 1251 bytes.
    return common::fromCp1251(message);
}

void checkStatus(const ISC_STATUS* status) {
    if (status[0] == 1 && status[1] != 0)
        throw DatabaseError(statusMessage(status), isc_sqlcode(status));
}

}  // namespace kalvex::db
