// The fuzzer's corpus (its seeds and the reproducers of what it found) and the samples,
// replayed through the harness's own routine: each file must come through with nothing
// but the model's kalvex::Error, which the routine catches.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/model_properties.h"
#include "fuzz/report_walk.h"

namespace {

namespace fs = std::filesystem;

fs::path sourceDir() {
    const char* source = std::getenv("KALVEX_SOURCE_DIR");
    return source == nullptr ? fs::path(".") : fs::path(source);
}

std::vector<fs::path> filesIn(const fs::path& folder, const std::string& extension = "") {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file() && (extension.empty() || entry.path().extension() == extension))
            files.push_back(entry.path());
    return files;
}

TEST(CorpusReplay, EveryCorpusFileAndSampleComesThrough) {
    std::vector<fs::path> files = filesIn(sourceDir() / "fuzz" / "corpus");
    const std::vector<fs::path> samples = filesIn(sourceDir() / "samples", ".xml");
    ASSERT_GE(files.size(), 50u) << "the seeds are missing";
    ASSERT_FALSE(samples.empty());
    files.insert(files.end(), samples.begin(), samples.end());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        EXPECT_NO_THROW(kalvex::fuzz::walkReport(file.string()));
    }
}

// A property added to a view but not to the walk's list would never be read by the
// fuzzer, and nothing else would tell.
TEST(CorpusReplay, WalkReadsEveryPropertyOfTheModel) {
#define KALVEX_PROPERTY_NAME(Property) #Property,
    const std::set<std::string> walked = {KALVEX_MODEL_PROPERTIES(KALVEX_PROPERTY_NAME)};
#undef KALVEX_PROPERTY_NAME
    const std::regex property(R"(\b([A-Za-z_]\w*)\(\) const)");
    std::set<std::string> offered;
    for (const fs::path& header : filesIn(sourceDir() / "ereport", ".h")) {
        const std::string name = header.filename().string();
        if (name.find("_elements.h") == std::string::npos && name.rfind("nrd20", 0) != 0)
            continue;
        std::ifstream in(header);
        std::stringstream text;
        text << in.rdbuf();
        const std::string source = text.str();
        for (std::sregex_iterator it(source.begin(), source.end(), property), end; it != end; ++it)
            offered.insert((*it)[1]);
    }
    ASSERT_GE(offered.size(), 100u) << "the model's headers were not found";
    for (const std::string& name : offered)
        EXPECT_TRUE(walked.count(name)) << name << " is offered by the model but not walked";
}

}  // namespace
