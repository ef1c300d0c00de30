#include "db/statement.h"

#include <utility>

#include "common/code_page.h"
#include "common/error.h"
#include "db/blob_reader.h"
#include "db/database_error.h"
#include "db/named_parameters.h"
#include "db/parameter_columns.h"

namespace kalvex::db {
namespace {

// Parameter names are ASCII identifiers: folding the ASCII letters alone matches them
// as the locale's toupper does, without its call per character on every parameter set.
char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

int statementType(isc_stmt_handle* handle) {
    const char items[] = {isc_info_sql_stmt_type};
    char buffer[16] = {};
    ISC_STATUS_ARRAY status;
    isc_dsql_sql_info(status, handle, sizeof items, items, sizeof buffer, buffer);
    checkStatus(status);
    // buffer: item tag, 2-byte length, value.
    const auto length = static_cast<short>(isc_vax_integer(buffer + 1, 2));
    return static_cast<int>(isc_vax_integer(buffer + 3, length));
}

// Frees a statement handle unless released, so that a failed prepare leaves nothing.
class HandleGuard {
  public:
    explicit HandleGuard(isc_stmt_handle& handle) : handle_(handle) {}
    ~HandleGuard() {
        if (handle_ == 0)
            return;
        // The failure under way is the one to report; freeing is best effort.
        ISC_STATUS_ARRAY status;
        isc_dsql_free_statement(status, &handle_, DSQL_drop);
    }
    HandleGuard(const HandleGuard&) = delete;
    HandleGuard& operator=(const HandleGuard&) = delete;

    isc_stmt_handle release() { return std::exchange(handle_, 0); }

  private:
    isc_stmt_handle& handle_;
};

}  // namespace

std::size_t Statement::NameHash::operator()(std::string_view name) const {
    std::size_t hash = 14695981039346656037ull;  // FNV-1a over the upper-case letters
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(upper(c))) * 1099511628211ull;
    return hash;
}

bool Statement::NameEqual::operator()(std::string_view a, std::string_view b) const {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i]))
            return false;
    return true;
}

Statement::~Statement() {
    if (!isPrepared())
        return;
    // The statement goes with its owner; a failure to free it on the server leaves
    // nothing to repair, and the detach frees it anyway.
    ISC_STATUS_ARRAY status;
    isc_dsql_free_statement(status, &handle_, DSQL_drop);
}

void Statement::setSql(std::string sql) {
    // New text starts with every parameter null, also when it equals the old text:
    // the values of the last row must never reach the next one.
    if (sql == sql_ && isPrepared()) {
        params_.clear();
        return;
    }
    unprepare();
    sql_ = std::move(sql);
}

bool Statement::isPrepared() const {
    Connection& connection = transaction_.connection();
    return handle_ != 0 && connection.isOpen() && connectionGeneration_ == connection.generation();
}

void Statement::unprepare() {
    close();
    if (isPrepared()) {
        ISC_STATUS_ARRAY status;
        isc_dsql_free_statement(status, &handle_, DSQL_drop);
        checkStatus(status);
    }
    // A handle of an earlier attachment died with it.
    handle_ = 0;
    positions_.clear();
    singletonPending_ = false;
}

void Statement::prepare() {
    unprepare();
    if (sql_.empty())
        throw Error("Empty SQL statement");
    Connection& connection = transaction_.connection();
    const PositionalSql positional = toPositional(sql_);
    const std::string text = common::toCp1251(positional.sql);
    ISC_STATUS_ARRAY status;
    isc_stmt_handle handle = 0;
    isc_dsql_allocate_statement(status, connection.handle(), &handle);
    checkStatus(status);
    HandleGuard guard(handle);
    isc_dsql_prepare(status, transaction_.handle(), &handle, 0, text.c_str(), SQL_DIALECT_V6,
                     nullptr);
    checkStatus(status);
    params_.describe(&handle);
    columns_.describe(&handle);
    const int type = statementType(&handle);
    if (type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd)
        kind_ = Kind::select;
    else
        kind_ = columns_.count() > 0 ? Kind::singleton : Kind::other;
    markerColumns_ = parameterColumns(positional.sql);
    for (std::size_t i = 0; i < positional.names.size(); ++i) {
        if (!positional.names[i].empty())
            positions_[positional.names[i]].push_back(static_cast<int>(i));
        if (i < markerColumns_.size() && markerColumns_[i].empty())
            markerColumns_[i] = positional.names[i].empty() ? "?" : ":" + positional.names[i];
    }
    handle_ = guard.release();
    connectionGeneration_ = connection.generation();
}

void Statement::ensurePrepared() {
    if (!isPrepared())
        prepare();
}

const std::vector<int>& Statement::positions(std::string_view name) const {
    const auto found = positions_.find(name);
    if (found == positions_.end())
        throw Error("Parameter :" + std::string(name) + " is not in the statement");
    return found->second;
}

template <typename Set>
void Statement::forEachPosition(std::string_view name, Set set) {
    ensurePrepared();
    for (const int position : positions(name))
        set(position);
}

void Statement::clearParams() {
    ensurePrepared();
    params_.clear();
}

void Statement::setNull(std::string_view name) {
    forEachPosition(name, [&](int i) { params_.setNull(i); });
}

void Statement::setInt64(std::string_view name, std::int64_t value) {
    forEachPosition(name, [&](int i) { params_.setInt64(i, value); });
}

void Statement::setText(std::string_view name, std::string_view utf8) {
    const std::string cp1251 = common::toCp1251(utf8);
    forEachPosition(name, [&](int i) { params_.setRawText(i, cp1251); });
}

void Statement::setTextToFit(std::string_view name, std::string_view utf8) {
    const std::string cp1251 = common::toCp1251(utf8);
    forEachPosition(name, [&](int i) {
        // Code page 1251 has one byte per character, so the cut falls between characters.
        const int room = params_.textRoom(i);
        const bool cut = room >= 0 && cp1251.size() > static_cast<std::size_t>(room);
        params_.setRawText(i, cut ? std::string_view(cp1251).substr(0, static_cast<std::size_t>(room))
                                  : std::string_view(cp1251));
    });
}

void Statement::setDate(std::string_view name, common::DateTime value) {
    forEachPosition(name, [&](int i) { params_.setDate(i, value); });
}

void Statement::setTimestamp(std::string_view name, common::DateTime value) {
    forEachPosition(name, [&](int i) { params_.setTimestamp(i, value); });
}

void Statement::setDouble(std::string_view name, double value) {
    forEachPosition(name, [&](int i) { params_.setDouble(i, value); });
}

void Statement::setValue(std::string_view name, const common::Variant& value) {
    forEachPosition(name, [&](int i) { params_.set(i, value); });
}

void Statement::execute() {
    ensurePrepared();
    close();
    if (const int tooLong = params_.firstTooLong(); tooLong >= 0)
        throw ValueTooLong(common::fromCp1251(params_.text(tooLong)),
                           static_cast<std::size_t>(tooLong) < markerColumns_.size()
                               ? markerColumns_[static_cast<std::size_t>(tooLong)]
                               : "?",
                           params_.describedLength(tooLong));
    singletonPending_ = false;
    ISC_STATUS_ARRAY status;
    if (kind_ == Kind::singleton) {
        isc_dsql_execute2(status, transaction_.handle(), &handle_, SQLDA_VERSION1, params_.sqlda(),
                          columns_.sqlda());
        checkStatus(status);
        singletonPending_ = true;
        return;
    }
    isc_dsql_execute(status, transaction_.handle(), &handle_, SQLDA_VERSION1, params_.sqlda());
    checkStatus(status);
    if (kind_ == Kind::select) {
        cursorOpen_ = true;
        cursorAtEnd_ = false;
        cursorTransaction_ = transaction_.generation();
    }
}

bool Statement::fetch() {
    if (singletonPending_) {
        singletonPending_ = false;
        return true;
    }
    if (kind_ != Kind::select)
        return false;
    if (!cursorOpen_)
        throw Error("Cursor not open");
    // Reading on would silently lose the rest of the rows.
    if (cursorTransaction_ != transaction_.generation())
        throw Error("Cursor closed: its transaction has ended");
    if (cursorAtEnd_)
        return false;
    ISC_STATUS_ARRAY status;
    const ISC_STATUS result = isc_dsql_fetch(status, &handle_, SQLDA_VERSION1, columns_.sqlda());
    if (result == 100) {
        cursorAtEnd_ = true;
        return false;
    }
    checkStatus(status);
    return true;
}

common::Variant Statement::column(int index) const {
    const std::optional<ISC_QUAD> blob = columns_.blobId(index);
    if (!blob)
        return columns_.value(index);
    std::string content =
        readBlob(transaction_.connection().handle(), transaction_.handle(), *blob);
    return columns_.isTextBlob(index) ? common::fromCp1251(content) : std::move(content);
}

void Statement::close() {
    if (!cursorOpen_)
        return;
    cursorOpen_ = false;
    // A cursor of a transaction that has ended was closed with it.
    if (!isPrepared() || cursorTransaction_ != transaction_.generation())
        return;
    ISC_STATUS_ARRAY status;
    isc_dsql_free_statement(status, &handle_, DSQL_close);
    checkStatus(status);
}

}  // namespace kalvex::db
