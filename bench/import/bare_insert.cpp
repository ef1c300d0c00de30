#include "import/bare_insert.h"

#include <ibase.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/date_time.h"
#include "db/database_error.h"
#include "db/gdb_mediator.h"
#include "db/sql_dates.h"
#include "db/tdm.h"

namespace kalvex::bench {
namespace {

void check(const ISC_STATUS* status) {
    db::checkStatus(status);
}

// One prepared insert and its parameters, filled by hand: text, dates and integers.
class BareInsert {
  public:
    BareInsert(isc_db_handle* db, isc_tr_handle* tr, const char* sql, int count)
        : tr_(tr),
          in_(static_cast<XSQLDA*>(std::calloc(1, XSQLDA_LENGTH(count))), &std::free),
          nulls_(static_cast<std::size_t>(count)),
          text_(static_cast<std::size_t>(count)),
          numbers_(static_cast<std::size_t>(count)) {
        isc_dsql_allocate_statement(status_, db, &stmt_);
        check(status_);
        isc_dsql_prepare(status_, tr_, &stmt_, 0, sql, SQL_DIALECT_V6, nullptr);
        check(status_);
        in_->version = SQLDA_VERSION1;
        in_->sqln = static_cast<short>(count);
        isc_dsql_describe_bind(status_, &stmt_, SQLDA_VERSION1, in_.get());
        check(status_);
    }
    ~BareInsert() { isc_dsql_free_statement(status_, &stmt_, DSQL_drop); }
    BareInsert(const BareInsert&) = delete;
    BareInsert& operator=(const BareInsert&) = delete;

    void text(int i, const std::string& utf8) {
        auto& buffer = text_[static_cast<std::size_t>(i)];
        buffer = common::toCp1251(utf8);
        set(i, SQL_TEXT + 1, static_cast<short>(buffer.size()), buffer.data());
    }
    void date(int i, common::DateTime value) {
        auto& slot = numbers_[static_cast<std::size_t>(i)];
        slot.date = db::toSqlDate(value);
        set(i, SQL_TYPE_DATE + 1, sizeof slot.date, reinterpret_cast<char*>(&slot.date));
    }
    void integer(int i, ISC_LONG value) {
        auto& slot = numbers_[static_cast<std::size_t>(i)];
        slot.integer = value;
        in_->sqlvar[i].sqlscale = 0;
        set(i, SQL_LONG + 1, sizeof slot.integer, reinterpret_cast<char*>(&slot.integer));
    }
    void execute() {
        isc_dsql_execute(status_, tr_, &stmt_, SQLDA_VERSION1, in_.get());
        check(status_);
    }

  private:
    union Number {
        ISC_DATE date;
        ISC_LONG integer;
    };
    void set(int i, short type, short length, char* data) {
        XSQLVAR& var = in_->sqlvar[i];
        var.sqltype = type;
        var.sqllen = length;
        var.sqldata = data;
        var.sqlind = &nulls_[static_cast<std::size_t>(i)];
    }

    ISC_STATUS_ARRAY status_{};
    isc_tr_handle* tr_;
    isc_stmt_handle stmt_ = 0;
    std::unique_ptr<XSQLDA, decltype(&std::free)> in_;
    std::vector<short> nulls_;
    std::vector<std::string> text_;
    std::vector<Number> numbers_;
};

}  // namespace

Stopwatch::Reading bareInsertLoop(const std::string& database, int patients, int otherRows) {
    // Attached through the data module only to share its log-in; everything timed
    // below is the client library's own calls.
    db::Tdm dm;
    db::GDBOpenDatabase(dm, database);
    ISC_STATUS_ARRAY status;
    isc_tr_handle tr = 0;
    const char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                        isc_tpb_rec_version, isc_tpb_nowait};
    isc_start_transaction(status, &tr, 1, dm.dbMain.handle(), sizeof tpb, tpb);
    check(status);
    const auto base = *common::tryEncodeDate(1950, 1, 1);
    const auto may = *common::tryEncodeDate(2022, 5, 1);
    Stopwatch::Reading time;
    {
        BareInsert patient(dm.dbMain.handle(), &tr,
                           "INSERT INTO PACIENT (EGN, PID_TYPE, FNAME, SNAME, LNAME, BIRTH_DATE, "
                           "DOCTOR_ID, ULICA) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                           8);
        BareInsert sheet(
            dm.dbMain.handle(), &tr,
            "INSERT INTO PREGLED (PACIENT_ID, DOCTOR_ID, AMB_LISTN, NRN, START_DATE, "
            "START_TIME, MAIN_DIAG_MKB, MAIN_DIAG_OPIS) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
            8);
        const Stopwatch watch;
        for (int i = 0; i < patients; ++i) {
            char egn[32];
            std::snprintf(egn, sizeof egn, "%010d", i);
            patient.text(0, egn);
            patient.text(1, "E");
            patient.text(2, "Десислава");
            patient.text(3, "Петрова");
            patient.text(4, "Димитрова");
            patient.date(5, common::DateTime{base.value + i % 20000});
            patient.integer(6, 1);
            patient.text(7, "гр. София, ул. Шипка 12");
            patient.execute();
        }
        for (int i = 0; i < otherRows; ++i) {
            char nrn[32];
            std::snprintf(nrn, sizeof nrn, "22151A%06X", static_cast<unsigned>(i) & 0xFFFFFFu);
            sheet.integer(0, 1 + i % (patients > 0 ? patients : 1));
            sheet.integer(1, 1);
            sheet.text(2, "0");
            sheet.text(3, nrn);
            sheet.date(4, common::DateTime{may.value + i % 31});
            sheet.text(5, "10:30");
            sheet.text(6, "I10");
            sheet.text(7, "Есенциална (първична) хипертония");
            sheet.execute();
        }
        isc_commit_transaction(status, &tr);
        check(status);
        time = watch.elapsed();
    }
    db::GDBCloseDatabase(dm);
    return time;
}

}  // namespace kalvex::bench
