// Inserts N patients into a fresh practice database in one transaction, once through
// a minimal loop on the bare client library and once through the data module's named
// statement, and prints rows per second of both and their ratio.
//   db_insert_bench [N] [ROUNDS]   (default 100000 rows, 3 rounds)
// Each round runs both loops, alternating which goes first, each on a database of its
// own; the best time of each is reported, so that neither gains from a warmer cache.
// Both loops get the same UTF-8 rows and convert the text to code page 1251, as any
// correct client of this database must; the difference is the layer's own cost.
#include <ibase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/date_time.h"
#include "db/database_error.h"
#include "db/gdb_mediator.h"
#include "db/sql_dates.h"
#include "db/tdm.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Row {
    std::string egn, fname, sname, lname;
    kalvex::common::DateTime birthDate;
    std::int32_t doctorId;
};

std::vector<Row> makeRows(int count) {
    const char* given[] = {"Иван", "Мария", "Петър", "Елена", "Георги", "Десислава"};
    const char* family[] = {"Петров", "Иванова", "Стоянов", "Димитрова", "Николов"};
    const auto base = *kalvex::common::tryEncodeDate(1950, 1, 1);
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        char egn[16];
        std::snprintf(egn, sizeof egn, "%010d", i);
        rows.push_back({egn, given[i % 6], given[(i / 6) % 6], family[i % 5],
                        kalvex::common::DateTime{base.value + i % 20000}, 1 + i % 3});
    }
    return rows;
}

std::string freshDatabase(const std::filesystem::path& dir, const std::string& name) {
    const std::string path = (dir / name).string();
    const std::string command =
        std::string(KALVEX_SOURCE_DIR) + "/tools/make_practice_db.sh '" + path + "'";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("cannot build " + path);
    return path;
}

const char* const kInsert =
    "INSERT INTO PACIENT (EGN, PID_TYPE, FNAME, SNAME, LNAME, BIRTH_DATE, DOCTOR_ID) "
    "VALUES (:EGN, :PID_TYPE, :FNAME, :SNAME, :LNAME, :BIRTH_DATE, :DOCTOR_ID)";

void check(const ISC_STATUS* status) {
    kalvex::db::checkStatus(status);
}

// The bare client library: positional markers, one XSQLDA filled by hand.
double bareLoop(const std::string& database, const std::vector<Row>& rows) {
    ISC_STATUS_ARRAY status;
    isc_db_handle db = 0;
    const char dpb[] = {isc_dpb_version1,
                        isc_dpb_user_name,
                        6,
                        'S',
                        'A',
                        'L',
                        'V',
                        'I',
                        'X',
                        isc_dpb_password,
                        8,
                        'q',
                        'e',
                        'r',
                        'n',
                        'a',
                        't',
                        'o',
                        'l'};
    isc_attach_database(status, 0, database.c_str(), &db, sizeof dpb, dpb);
    check(status);
    isc_tr_handle tr = 0;
    const char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                        isc_tpb_rec_version, isc_tpb_nowait};
    isc_start_transaction(status, &tr, 1, &db, sizeof tpb, tpb);
    check(status);
    isc_stmt_handle stmt = 0;
    isc_dsql_allocate_statement(status, &db, &stmt);
    check(status);
    const char* sql =
        "INSERT INTO PACIENT (EGN, PID_TYPE, FNAME, SNAME, LNAME, BIRTH_DATE, DOCTOR_ID) "
        "VALUES (?, ?, ?, ?, ?, ?, ?)";
    isc_dsql_prepare(status, &tr, &stmt, 0, sql, SQL_DIALECT_V6, nullptr);
    check(status);
    auto* in = static_cast<XSQLDA*>(std::calloc(1, XSQLDA_LENGTH(7)));
    in->version = SQLDA_VERSION1;
    in->sqln = 7;
    isc_dsql_describe_bind(status, &stmt, SQLDA_VERSION1, in);
    check(status);
    short nulls[7] = {};
    std::string text[5] = {{}, std::string(1, 'E'), {}, {}, {}};
    ISC_DATE date = 0;
    ISC_LONG doctor = 0;
    const auto start = Clock::now();
    for (const Row& row : rows) {
        text[0] = kalvex::common::toCp1251(row.egn);
        text[2] = kalvex::common::toCp1251(row.fname);
        text[3] = kalvex::common::toCp1251(row.sname);
        text[4] = kalvex::common::toCp1251(row.lname);
        for (int i = 0; i < 5; ++i) {
            in->sqlvar[i].sqltype = SQL_TEXT + 1;
            in->sqlvar[i].sqllen = static_cast<short>(text[i].size());
            in->sqlvar[i].sqldata = text[i].data();
            in->sqlvar[i].sqlind = &nulls[i];
        }
        date = kalvex::db::toSqlDate(row.birthDate);
        in->sqlvar[5].sqltype = SQL_TYPE_DATE + 1;
        in->sqlvar[5].sqldata = reinterpret_cast<char*>(&date);
        in->sqlvar[5].sqlind = &nulls[5];
        doctor = row.doctorId;
        in->sqlvar[6].sqltype = SQL_LONG + 1;
        in->sqlvar[6].sqlscale = 0;
        in->sqlvar[6].sqldata = reinterpret_cast<char*>(&doctor);
        in->sqlvar[6].sqlind = &nulls[6];
        isc_dsql_execute(status, &tr, &stmt, SQLDA_VERSION1, in);
        check(status);
    }
    isc_commit_transaction(status, &tr);
    check(status);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    isc_dsql_free_statement(status, &stmt, DSQL_drop);
    isc_detach_database(status, &db);
    std::free(in);
    return seconds;
}

// The data module's named statement, the way every importer uses it.
double layerLoop(const std::string& database, const std::vector<Row>& rows) {
    kalvex::db::Tdm dm;
    kalvex::db::GDBOpenDatabase(dm, database);
    kalvex::db::Statement& insert = dm.qryPatient;
    insert.setSql(kInsert);
    insert.prepare();
    const auto start = Clock::now();
    for (const Row& row : rows) {
        insert.clearParams();
        insert.setText("EGN", row.egn);
        insert.setText("PID_TYPE", "E");
        insert.setText("FNAME", row.fname);
        insert.setText("SNAME", row.sname);
        insert.setText("LNAME", row.lname);
        insert.setDate("BIRTH_DATE", row.birthDate);
        insert.setInt32("DOCTOR_ID", row.doctorId);
        insert.execute();
    }
    dm.traMain.commit();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    kalvex::db::GDBCloseDatabase(dm);
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    const std::vector<Row> rows = makeRows(count);
    char pattern[] = "/tmp/kalvex-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return 1;
    const std::filesystem::path dir = pattern;
    try {
        double bare = 1e300;
        double layer = 1e300;
        for (int round = 0; round < rounds; ++round) {
            const std::string suffix = std::to_string(round) + ".fdb";
            const std::string bareDb = freshDatabase(dir, "bare" + suffix);
            const std::string layerDb = freshDatabase(dir, "layer" + suffix);
            if (round % 2 == 0) {
                bare = std::min(bare, bareLoop(bareDb, rows));
                layer = std::min(layer, layerLoop(layerDb, rows));
            } else {
                layer = std::min(layer, layerLoop(layerDb, rows));
                bare = std::min(bare, bareLoop(bareDb, rows));
            }
        }
        std::printf("rows: %d (PACIENT, one transaction, commit included), best of %d\n", count,
                    rounds);
        std::printf("bare client library: %10.0f rows/s (%.3f s)\n", count / bare, bare);
        std::printf("named statement:     %10.0f rows/s (%.3f s)\n", count / layer, layer);
        std::printf("layer / bare:        %10.3f\n", bare / layer);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        std::filesystem::remove_all(dir);
        return 1;
    }
    std::filesystem::remove_all(dir);
    return 0;
}
