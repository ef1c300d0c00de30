// The files the Debian package adds around the programs: the manual pages and the
// desktop entry.
#include <gtest/gtest.h>
#include <unistd.h>

#include <regex>
#include <set>
#include <string>

#include "support/program_run.h"
#include "support/temp_dir.h"

using kalvex::testing::readBytes;
using kalvex::testing::runCommand;
using kalvex::testing::runImport;

namespace {

// A tool of the tests' own set-up (tools/setup.sh test); the reason to skip without it.
std::string missingTool(const std::string& tool) {
    if (runCommand("command -v " + tool).exitCode == 0)
        return {};
    return tool + " is not installed (tools/setup.sh test installs it)";
}

// The manual page's text as a reader sees its words: "\-" is a plain hyphen there.
std::string manPageWords(const std::string& page) {
    return std::regex_replace(readBytes(page), std::regex(R"(\\-)"), "-");
}

// Every word of the help text that the manual page must name as well: each option
// ("--xml-doctor") and each sub-command ("list-doctors").
std::set<std::string> helpWords() {
    const std::string help = runImport("--help").out;
    std::set<std::string> words;
    static const std::regex option(R"(--[a-z][a-z-]*)");
    static const std::regex command(R"(kalvex-import ([a-z][a-z-]*))");
    for (auto m = std::sregex_iterator(help.begin(), help.end(), option);
         m != std::sregex_iterator(); ++m)
        words.insert(m->str());
    for (auto m = std::sregex_iterator(help.begin(), help.end(), command);
         m != std::sregex_iterator(); ++m)
        words.insert((*m)[1].str());
    return words;
}

TEST(ManPage, NamesEveryOptionAndSubCommandOfTheHelp) {
    const std::set<std::string> words = helpWords();
    // Guards the word search itself: a help text it no longer reads would pass anything.
    for (const char* known : {"--nrd", "--dry-run", "--summary", "list-doctors", "undo"})
        ASSERT_TRUE(words.count(known)) << known << " not found in the help text";
    const std::string page = manPageWords(KALVEX_MAN_DIR "/kalvex-import.1");
    for (const std::string& word : words)
        EXPECT_NE(page.find(word), std::string::npos) << word << " is missing in kalvex-import.1";
}

TEST(ManPage, RendersWithoutWarnings) {
    if (const std::string reason = missingTool("groff"); !reason.empty())
        GTEST_SKIP() << reason;
    for (const char* page : {"kalvex.1", "kalvex-import.1"}) {
        const auto run = runCommand(std::string("groff -man -Tutf8 -ww -z '") + KALVEX_MAN_DIR +
                                    "/" + page + "'");
        EXPECT_EQ(run.exitCode, 0) << page;
        EXPECT_EQ(run.err, "") << page;
    }
}

TEST(DesktopEntry, IsValid) {
    if (const std::string reason = missingTool("desktop-file-validate"); !reason.empty())
        GTEST_SKIP() << reason;
    const auto run = runCommand("desktop-file-validate '" KALVEX_DESKTOP_ENTRY "'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out + run.err, "");
}

}  // namespace
