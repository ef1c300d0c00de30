#include "cli/list_doctors.h"

#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/nrd_choice.h"
#include "common/error.h"
#include "ereport/nrd_periods.h"
#include "ereport/xml_report.h"

namespace kalvex::cli {
namespace {

constexpr const char* kUsage = "Usage: kalvex-import list-doctors --nrd YEAR|auto --xml FILE\n";

int usageError(const std::string& problem) {
    std::cerr << problem << '\n' << kUsage;
    return 2;
}

}  // namespace

int listXmlDoctors(int argc, char** argv) {
    std::optional<int> nrd;
    bool nrdAuto = false;
    std::optional<std::string> xmlFile;
    for (int i = 0; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (i + 1 == argc)
            return usageError("Missing value of " + std::string(option));
        const std::string_view value = argv[++i];
        if (option == "--nrd") {
            nrdAuto = value == kAutoNrd;
            nrd = ereport::XmlReport::versionIndex(value);
            if (!nrd && !nrdAuto)
                return usageError("Unknown NRD year " + std::string(value));
        } else if (option == "--xml") {
            xmlFile = std::string(value);
        } else {
            return usageError("Unknown option " + std::string(option));
        }
    }
    if ((!nrd && !nrdAuto) || !xmlFile)
        return usageError("Both --nrd and --xml are required");

    try {
        if (nrdAuto) {
            nrd = versionForFile(*xmlFile, std::nullopt);
            std::cerr << ereport::versionLabel(*nrd) << '\n';
        }
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
