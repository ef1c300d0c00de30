// Generates e-reports of about 1 MB built to make loading slow or to pass a wrong
// label, beside an ordinary one, and prints how long each takes to load or to be
// refused. Target: each well under a second.   ereport_hostile_bench [megabytes]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "common/error.h"
#include "ereport/xml_report.h"
#include "report_writer.h"

namespace {

using Writer = std::function<void(const std::string& fileName, std::uintmax_t bytes)>;

// One entity expanding to 2000 references, named over and over: validating it costs
// the product of the two.
void writeEntities(const std::string& fileName, std::uintmax_t bytes) {
    std::ofstream out(fileName, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE Practice [<!ELEMENT Practice "
           "(#PCDATA)><!ENTITY f \"x\"><!ENTITY e \"";
    for (int i = 0; i < 2000; ++i)
        out << "&f;";
    out << "\">]>\n<Practice>";
    while (static_cast<std::uintmax_t>(out.tellp()) < bytes)
        out << "&e;";
    out << "</Practice>\n";
}

// One element with 100 000 attributes per megabyte asked for.
void writeAttributes(const std::string& fileName, std::uintmax_t bytes) {
    std::ofstream out(fileName, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Practice";
    for (std::uintmax_t i = 0; i < bytes / 1048576 * 100000; ++i)
        out << " a" << i << "=\"1\"";
    out << "/>\n";
}

// As many attributes as an element may have, on every element: what is left of the
// pairwise check once the crowded tags are refused.
void writeFullTags(const std::string& fileName, std::uintmax_t bytes) {
    std::ofstream out(fileName, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Practice>";
    while (static_cast<std::uintmax_t>(out.tellp()) < bytes) {
        out << "<x";
        for (int i = 0; i < 64; ++i)
            out << " a" << i << "=\"1\"";
        out << "/>";
    }
    out << "</Practice>\n";
}

void writeOrdinary(const std::string& fileName, std::uintmax_t bytes) {
    kalvex::bench::writeReport(fileName, bytes, false);
}

void writeUtf8As1251(const std::string& fileName, std::uintmax_t bytes) {
    kalvex::bench::writeReport(fileName, bytes, false,
                               "<?xml version=\"1.0\" encoding=\"windows-1251\"?>");
}

void measure(const char* name, const Writer& write, std::uintmax_t bytes) {
    const auto fileName =
        (std::filesystem::temp_directory_path() / "kalvex-hostile-bench.xml").string();
    write(fileName, bytes);
    const double megabytes = static_cast<double>(std::filesystem::file_size(fileName)) / 1048576.0;

    kalvex::ereport::XmlReport report;
    std::string outcome = "loaded";
    std::string message;
    const std::clock_t cpuStart = std::clock();
    const auto start = std::chrono::steady_clock::now();
    try {
        report.XMLLoadFile(8, fileName);
    } catch (const kalvex::Error& error) {  // refusing is one of the two outcomes measured
        outcome = "refused";
        message = error.what();
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::filesystem::remove(fileName);
    std::printf("%-22s %.2f MB  %-7s in %.3f s (%.3f s CPU)\n", name, megabytes, outcome.c_str(),
                seconds.count(), cpu);
    if (!message.empty())
        std::printf("    %s\n", message.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::uintmax_t bytes = (argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1) * 1024 * 1024;
    measure("ordinary report", writeOrdinary, bytes);
    measure("entities", writeEntities, bytes);
    measure("100 000 attributes", writeAttributes, bytes);
    measure("64 attributes each", writeFullTags, bytes);
    measure("UTF-8 as windows-1251", writeUtf8As1251, bytes);
    std::printf("target: each well under 1 s\n");
    return 0;
}
