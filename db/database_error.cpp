#include "db/database_error.h"

#include <algorithm>
#include <cerrno>
#include <initializer_list>

#include "common/code_page.h"

namespace kalvex::db {
namespace {

struct KindCodes {
    FailureKind kind;
    std::initializer_list<ISC_STATUS> codes;
};

// The faults of the database itself, looked for first: a conflict or a full disk may
// come wrapped in a failure that names a row (a key the engine could not check).
const KindCodes kFaults[] = {
    {FailureKind::conflict,
     {isc_lock_conflict, isc_deadlock, isc_update_conflict, isc_concurrent_transaction,
      isc_lock_timeout}},
    {FailureKind::io,
     {isc_io_error, isc_io_read_err, isc_io_write_err, isc_io_create_err, isc_io_open_err,
      isc_io_close_err, isc_io_access_err, isc_io_32bit_exceeded_err, isc_db_corrupt}},
    {FailureKind::connectionLost,
     {isc_network_error, isc_net_connect_err, isc_net_read_err, isc_net_write_err,
      isc_conn_lost, isc_lost_db_connection, isc_att_shutdown, isc_shutdown, isc_shutinprog,
      isc_bad_db_handle}},
    {FailureKind::missingObject,
     {isc_dsql_relation_err, isc_dsql_field_err, isc_dsql_procedure_err, isc_relnotdef,
      isc_fldnotdef, isc_fldnotdef2, isc_gennotdef, isc_funnotdef, isc_dsql_table_not_found,
      isc_dsql_view_not_found}},
    {FailureKind::permission,
     {isc_no_priv, isc_read_only_database, isc_read_only, isc_read_only_rel, isc_read_only_trans,
      isc_read_only_field, isc_login}},
};

// A value of the row that the database refuses, by a type, a constraint or a rule of
// its own (a trigger's exception).
const KindCodes kRowData = {
    FailureKind::rowData,
    {isc_except, isc_except2, isc_arith_except, isc_string_truncation, isc_numeric_out_of_range, isc_convert_error,
     isc_not_valid, isc_not_valid_for_var, isc_not_valid_for, isc_check_constraint,
     isc_unique_key_violation, isc_no_dup, isc_foreign_key, isc_malformed_string,
     isc_transliteration_failed, isc_date_range_exceeded, isc_datetime_range_exceeded,
     isc_invalid_date_val, isc_expression_eval_err}};

bool holdsAny(const std::vector<ISC_STATUS>& codes, std::initializer_list<ISC_STATUS> wanted) {
    return std::any_of(codes.begin(), codes.end(), [&](ISC_STATUS code) {
        return std::find(wanted.begin(), wanted.end(), code) != wanted.end();
    });
}

// The error codes of a status vector (its warnings left out) and the system's error
// number, if it gives one.
std::vector<ISC_STATUS> errorCodes(const ISC_STATUS* status, ISC_STATUS& systemError) {
    std::vector<ISC_STATUS> codes;
    systemError = 0;
    for (const ISC_STATUS* p = status; *p != isc_arg_end;) {
        switch (*p) {
            case isc_arg_gds:
                codes.push_back(p[1]);
                p += 2;
                break;
            case isc_arg_unix:
                systemError = p[1];
                p += 2;
                break;
            case isc_arg_cstring:  // a length, then the text
                p += 3;
                break;
            case isc_arg_warning:  // the warnings follow the error: none is a failure
                return codes;
            default:  // a string, a number, an interpreted text, a SQLSTATE, a Windows error
                p += 2;
        }
    }
    return codes;
}

}  // namespace

FailureKind classify(const std::vector<ISC_STATUS>& codes, ISC_STATUS systemError) {
    if (systemError == ENOSPC || systemError == EDQUOT)
        return FailureKind::diskFull;
    for (const KindCodes& fault : kFaults)
        if (holdsAny(codes, fault.codes))
            return fault.kind;
    if (holdsAny(codes, kRowData.codes))
        return FailureKind::rowData;
    return FailureKind::other;
}

std::string_view causeLine(FailureKind kind) {
    switch (kind) {
        case FailureKind::rowData:
            return "";
        case FailureKind::diskFull:
            return "Дискът е пълен: базата на Salvix не може да запише повече данни. "
                   "Освободете място на диска и пуснете импорта отново.";
        case FailureKind::io:
            return "Файлът на базата на Salvix не може да бъде прочетен или записан.";
        case FailureKind::conflict:
            return "Друга програма пише в същите записи на базата: затворете програмите "
                   "Salvix, които я използват, и пуснете импорта отново.";
        case FailureKind::connectionLost:
            return "Връзката с базата е прекъсната.";
        case FailureKind::missingObject:
            return "В базата липсва таблица или поле, които импортът използва: базата не е "
                   "на Salvix или е от друга версия.";
        case FailureKind::permission:
            return "Базата на Salvix не позволява тази промяна на потребителя на Kalvex.";
        case FailureKind::other:
            break;
    }
    return "Базата на Salvix отказа операцията.";
}

std::string failureText(const std::exception& error) {
    const auto* database = dynamic_cast<const DatabaseError*>(&error);
    if (database == nullptr)
        return error.what();
    const std::string_view cause = causeLine(database->kind());
    return cause.empty() ? std::string(error.what()) : std::string(cause) + "\n" + error.what();
}

ValueTooLong::ValueTooLong(std::string_view value, std::string_view column, int length)
    : DatabaseError("Стойността „" + std::string(value) + "“ е по-дълга от полето " +
                        std::string(column) + " (" + std::to_string(length) + " знака)",
                    -802, FailureKind::rowData, isc_string_truncation) {}

DatabaseError DatabaseError::fromStatus(const ISC_STATUS* status) {
    ISC_STATUS systemError = 0;
    const std::vector<ISC_STATUS> codes = errorCodes(status, systemError);
    return DatabaseError(statusMessage(status), isc_sqlcode(status),
                         classify(codes, systemError), codes.empty() ? 0 : codes.front());
}

bool isDuplicateKey(std::string_view message) {
    return message.find(kDuplicateKeyPhrase) != std::string_view::npos;
}

DatabaseError heldByAnotherTransaction(const DatabaseError& duplicate) {
    return DatabaseError(duplicate.what(), duplicate.sqlCode(), FailureKind::conflict,
                         duplicate.errorCode());
}

bool isRowDataError(const std::exception& error) {
    const auto* database = dynamic_cast<const DatabaseError*>(&error);
    return database != nullptr && database->kind() == FailureKind::rowData;
}

bool isDatabaseFault(const std::exception& error) {
    const auto* database = dynamic_cast<const DatabaseError*>(&error);
    return database != nullptr && database->kind() != FailureKind::rowData;
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
        throw DatabaseError::fromStatus(status);
}

}  // namespace kalvex::db
