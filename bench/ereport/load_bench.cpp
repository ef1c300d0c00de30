// Loads and binds a generated NRD 2022 e-report of about 50 MB and prints the time it
// took and the peak memory of the process. Target: under 2 s and under 10 times the
// file size.   ereport_load_bench [megabytes [compact]]
// "compact" writes the report without line breaks and indentation: more elements per
// megabyte, so the harder case for memory.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ereport/xml_report.h"
#include "report_writer.h"

namespace {

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    const std::uintmax_t megabytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 50;
    const auto fileName =
        (std::filesystem::temp_directory_path() / "kalvex-ereport-bench.xml").string();
    const bool compact = argc > 2 && std::string(argv[2]) == "compact";
    const std::uintmax_t size =
        kalvex::bench::writeReport(fileName, megabytes * 1024 * 1024, compact);
    const long peakBefore = peakKilobytes();

    kalvex::ereport::XmlReport report;
    const auto start = std::chrono::steady_clock::now();
    const auto doctors = report.XMLLoadFile(8, fileName);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    const long peakAfter = peakKilobytes();
    std::filesystem::remove(fileName);

    const double fileMb = static_cast<double>(size) / (1024.0 * 1024.0);
    std::printf("file:            %.1f MB%s, %d sheets\n", fileMb, compact ? " (compact)" : "",
                report.Doctor2022().AmbList().GetCount());
    std::printf("doctor list:     %s\n", doctors.at(0).text.c_str());
    std::printf("load and bind:   %.3f s (target < 2 s)\n", seconds.count());
    std::printf(
        "peak RSS:        %.1f MB before the load, %.1f MB after = %.1f x the file "
        "(target < 10 x)\n",
        peakBefore / 1024.0, peakAfter / 1024.0, peakAfter / 1024.0 / fileMb);
    return 0;
}
