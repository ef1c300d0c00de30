// Writes the benchmark's generated NRD 2022 e-report to a file, for importing it with
// kalvex-import outside the benchmark (compare_import.sh).
//   write_report SHEETS FILE [IMMUNISATIONS%]
#include <cstdio>
#include <fstream>
#include <string>

#include "common/numbers.h"
#include "import/report_generator.h"

int main(int argc, char** argv) {
    using namespace kalvex;
    const auto sheets = argc > 2 ? common::parseInteger(argv[1]) : std::nullopt;
    const auto percent = argc > 3 ? common::parseInteger(argv[3]) : std::optional<int>(10);
    if (argc > 4 || !sheets || *sheets < 1 || !percent || *percent < 0 || *percent > 100) {
        std::fprintf(stderr, "usage: write_report SHEETS FILE [IMMUNISATIONS%%]\n");
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << testing::reportXml(bench::generateReport(*sheets, *percent).input);
    return out.good() ? 0 : 1;
}
