#include "db/connection.h"

#include <string_view>
#include <utility>
#include <vector>

#include "common/error.h"
#include "db/database_error.h"

namespace kalvex::db {
namespace {

constexpr std::string_view kUserName = "SALVIX";
constexpr std::string_view kPassword = "qernatol";
constexpr char kSqlDialect = 3;

std::vector<char> connectionParameters() {
    std::vector<char> dpb{isc_dpb_version1};
    const auto addText = [&dpb](char tag, std::string_view value) {
        dpb.push_back(tag);
        dpb.push_back(static_cast<char>(value.size()));
        dpb.insert(dpb.end(), value.begin(), value.end());
    };
    addText(isc_dpb_user_name, kUserName);
    addText(isc_dpb_password, kPassword);
    dpb.insert(dpb.end(), {isc_dpb_sql_dialect, 1, kSqlDialect});
    return dpb;
}

}  // namespace

Connection::~Connection() {
    if (!isOpen())
        return;
    // Nothing left to report to: the owner closes explicitly when it cares about the
    // outcome (the data module commits first); here the engine rolls back what is open.
    ISC_STATUS_ARRAY status;
    isc_detach_database(status, &handle_);
}

void Connection::setDatabaseName(std::string name) {
    if (isOpen() && name != databaseName_)
        throw Error("Cannot perform operation -- DB is currently open");
    databaseName_ = std::move(name);
}

void Connection::open() {
    if (isOpen())
        return;
    const std::vector<char> dpb = connectionParameters();
    ISC_STATUS_ARRAY status;
    isc_attach_database(status, 0, databaseName_.c_str(), &handle_, static_cast<short>(dpb.size()),
                        dpb.data());
    if (status[0] == 1 && status[1] != 0) {
        handle_ = 0;
        checkStatus(status);
    }
    ++generation_;
}

void Connection::close() {
    if (!isOpen())
        return;
    ISC_STATUS_ARRAY status;
    isc_detach_database(status, &handle_);
    checkStatus(status);
    handle_ = 0;
}

}  // namespace kalvex::db
