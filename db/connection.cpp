#include "db/connection.h"

#include <string_view>
#include <utility>

#include "common/error.h"
#include "db/database_error.h"

namespace kalvex::db {
namespace {

constexpr std::string_view kUserName = "SALVIX";
constexpr std::string_view kPassword = "qernatol";
constexpr char kSqlDialect = 3;

std::string connectionParameters() {
    std::string dpb(1, isc_dpb_version1);
    const auto addText = [&dpb](char tag, std::string_view value) {
        dpb += tag;
        dpb += static_cast<char>(value.size());
        dpb += value;
    };
    addText(isc_dpb_user_name, kUserName);
    addText(isc_dpb_password, kPassword);
    dpb += isc_dpb_sql_dialect;
    dpb += '\1';
    dpb += kSqlDialect;
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
    const std::string dpb = connectionParameters();
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
