#include "cli/list_doctors_db.h"

#include <ostream>
#include <string>
#include <string_view>

#include "common/error.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"

namespace kalvex::cli {

int listDoctorsDb(int argc, char** argv, std::ostream& out, std::ostream& err) {
    if (argc != 4 || std::string_view(argv[1]) != "list-doctors" ||
        std::string_view(argv[2]) != "--db") {
        err << "Usage: kalvex-import list-doctors --db DATABASE\n";
        return 2;
    }
    try {
        db::Tdm dm;
        db::GDBOpenDatabase(dm, argv[3]);
        for (const db::GdbDoctor& doctor : db::GDBFillDoctorNames(dm))
            out << doctor.id << '\t' << doctor.uin << '\t' << doctor.text << '\n';
        db::GDBCloseDatabase(dm);
    } catch (const Error& e) {
        err << e.what() << '\n';
        return 2;
    }
    return 0;
}

}  // namespace kalvex::cli
