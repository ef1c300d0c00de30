#include "cli/list_doctors.h"

#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "common/error.h"
#include "ereport/xml_report.h"

namespace kalvex::cli {
namespace {

constexpr const char* kUsage = "Usage: kalvex-import list-doctors --nrd YEAR --xml FILE\n";

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
            nrd = ereport::XmlReport::versionIndex(value);
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
