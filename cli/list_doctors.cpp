#include "cli/list_doctors.h"

#include <array>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "common/error.h"
#include "ereport/xml_report.h"

namespace kalvex::cli {
namespace {

constexpr std::array<std::string_view, ereport::XmlReport::kVersionCount> kYears = {
    "2003", "2005", "2006", "2008", "2009", "2015", "2018", "2021", "2022"};

constexpr const char* kUsage = "Usage: kalvex-import list-doctors --nrd YEAR --xml FILE\n";

std::optional<int> nrdIndex(std::string_view year) {
    for (std::size_t i = 0; i < kYears.size(); ++i)
        if (kYears[i] == year)
            return static_cast<int>(i);
    return std::nullopt;
}

int usageError(const std::string& problem) {
    std::cerr << problem << '\n' << kUsage;
    return 2;
}

}  // namespace

int listXmlDoctors(int argc, char** argv) {
    std::optional<int> nrd;
    std::optional<std::string> xmlFile;
    for (int i = 0; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (i + 1 == argc)
            return usageError("Missing value of " + std::string(option));
        const std::string_view value = argv[++i];
        if (option == "--nrd") {
            nrd = nrdIndex(value);
            if (!nrd)
                return usageError("Unknown NRD year " + std::string(value));
        } else if (option == "--xml") {
            xmlFile = std::string(value);
        } else {
            return usageError("Unknown option " + std::string(option));
        }
    }
    if (!nrd || !xmlFile)
        return usageError("Both --nrd and --xml are required");

    try {
        ereport::XmlReport report;
        for (const auto& doctor : report.XMLLoadFile(*nrd, *xmlFile))
            std::cout << doctor.position << '\t' << doctor.UIN << '\t' << doctor.text << '\n';
    } catch (const Error& error) {
        std::cerr << error.what() << '\n';
        return 2;
    }
    return 0;
}

}  // namespace kalvex::cli
