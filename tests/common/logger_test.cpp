#include "common/logger.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <vector>

#include "common/code_page.h"
#include "common/error.h"
#include "common/formats.h"
#include "support/temp_dir.h"

using namespace kalvex::common;
using kalvex::testing::readBytes;
using kalvex::testing::TempDir;

namespace {

// The file's text split at CR LF, each line's time stamp checked and cut off.
std::vector<std::string> messagesOf(const std::string& fileName) {
    const std::string text = fromCp1251(readBytes(fileName));
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    static const std::regex stamp(R"(^\[\d\d-\d\d-\d{4} \d\d:\d\d\] )");
    for (std::string& line : lines) {
        if (std::regex_search(line, stamp))
            line.erase(0, 19);
        else
            line.insert(0, "(no stamp) ");
    }
    return lines;
}

}  // namespace

TEST(Logger, BannersAreSixtyFiveCharacters) {
    EXPECT_EQ(toCp1251(kLogStartLine).size(), 65u);
    EXPECT_EQ(toCp1251(kLogEndLine).size(), 65u);
}

TEST(Logger, TwoRunsAppendToOneFile) {
    SetGlobalCultureFormats();
    TempDir dir;
    const std::string name = dir.file("kalvex.log");
    for (const char* message : {"първи", "втори"}) {
        TLogger logger(name);
        logger.LogEntry(message);
    }
    EXPECT_EQ(messagesOf(name), (std::vector<std::string>{kLogStartLine, "първи", kLogEndLine,
                                                          kLogStartLine, "втори", kLogEndLine}));
}

TEST(Logger, CallbackFirstAndVerboseSwitch) {
    TempDir dir;
    const std::string name = dir.file("kalvex.log");
    std::vector<std::string> shown;
    {
        TLogger logger(name);
        logger.OnLog = [&](const std::string& m) {
            // The line is not in the file yet when the window sees it.
            const std::string file = readBytes(name);
            const std::string line = toCp1251(m) + "\r\n";
            EXPECT_FALSE(file.size() >= line.size() &&
                         file.compare(file.size() - line.size(), line.size(), line) == 0);
            shown.push_back(m);
        };
        logger.LogEntryVerbose("скрит");
        logger.SetVerbose(true);
        EXPECT_TRUE(logger.Verbose());
        logger.LogEntryVerbose("подробен");
        logger.SetVerbose(false);
        logger.LogEntryVerbose("пак скрит");
        logger.OnLog = nullptr;
    }
    const std::vector<std::string> expected{"Включена опцията за подробен лог", "подробен",
                                            "Изключена опцията за подробен лог"};
    EXPECT_EQ(shown, expected);
    std::vector<std::string> inFile{kLogStartLine};
    inFile.insert(inFile.end(), expected.begin(), expected.end());
    inFile.push_back(kLogEndLine);
    EXPECT_EQ(messagesOf(name), inFile);
}

TEST(Logger, LineBreakInMessageSpansTwoLines) {
    TempDir dir;
    const std::string name = dir.file("kalvex.log");
    {
        TLogger logger(name);
        logger.LogEntry("ред едно\r\nред две");
    }
    const auto lines = messagesOf(name);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "ред едно");
    EXPECT_EQ(lines[2], "(no stamp) ред две");
}

TEST(Logger, UnwritableAtStartIsReportedOnceAndTheLoggerGoesOn) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    TempDir dir;
    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    std::vector<std::string> shown;  // outlives the logger, whose end line it sees
    TLogger logger(dir.file("kalvex.log"));
    EXPECT_NE(logger.startFailure().find(dir.file("kalvex.log")), std::string::npos);
    logger.OnLog = [&](const std::string& m) { shown.push_back(m); };
    EXPECT_NO_THROW(logger.LogEntry("ред"));
    EXPECT_EQ(shown, std::vector<std::string>{"ред"});
}

TEST(Logger, StartFailureOnAFolderInsteadOfAFile) {
    // A folder where the file should be fails for root as well.
    TempDir dir;
    std::filesystem::create_directory(dir.file("kalvex.log"));
    TLogger logger(dir.file("kalvex.log"));
    EXPECT_NE(logger.startFailure().find("kalvex.log"), std::string::npos);
    EXPECT_NO_THROW(logger.LogEntry("ред"));
}

TEST(Logger, WriteFailureAfterAGoodStartIsToldOnceAndTheLoggerGoesOn) {
    TempDir dir;
    const std::string name = dir.file("kalvex.log");
    std::vector<std::string> shown, failures;  // outlive the logger, whose end line they see
    TLogger logger(name);
    EXPECT_TRUE(logger.startFailure().empty());
    std::filesystem::remove(name);
    std::filesystem::create_directory(name);
    logger.OnLog = [&](const std::string& m) { shown.push_back(m); };
    logger.OnFailure = [&](const std::string& m) { failures.push_back(m); };
    EXPECT_NO_THROW(logger.LogEntry("ред"));
    EXPECT_NO_THROW(logger.LogEntry("втори ред"));
    EXPECT_EQ(shown, (std::vector<std::string>{"ред", "втори ред"}));  // the window still got them
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], logger.failure());
    EXPECT_NE(failures[0].find("програмата ще продължи без него"), std::string::npos);
    EXPECT_NE(failures[0].find(name), std::string::npos);
    EXPECT_TRUE(logger.startFailure().empty());
    std::filesystem::remove(name);
}
