#include "common/program_files.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>

#include "support/temp_dir.h"

using namespace kalvex::common;
using kalvex::testing::TempDir;
namespace fs = std::filesystem;

namespace {

// Makes an existing empty folder one that nobody may write to, this test included, for
// as long as it lives. Root writes to a folder whatever its mode says, so for root it
// becomes a read-only file system, mounted in a mount namespace of this test process
// alone: should the process die first, the mount goes with it.
class ReadOnlyFolder {
  public:
    explicit ReadOnlyFolder(fs::path folder) : folder_(std::move(folder)) {
        if (geteuid() != 0) {
            fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
        } else if (unshare(CLONE_NEWNS) != 0 ||
                   mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                   mount("tmpfs", folder_.c_str(), "tmpfs", MS_RDONLY, nullptr) != 0) {
            failure_ = std::string("root needs a read-only mount here, which failed: ") +
                       std::strerror(errno);
            return;
        }
        mounted_ = geteuid() == 0;
        if (access(folder_.c_str(), W_OK) == 0)
            failure_ = "the folder stays writable for this user";
    }
    // The temporary folder's removal then takes this one too.
    ~ReadOnlyFolder() {
        if (mounted_)
            umount2(folder_.c_str(), MNT_DETACH);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // Why the folder could not be made read-only; empty when it is.
    const std::string& failure() const { return failure_; }

  private:
    fs::path folder_;
    bool mounted_ = false;
    std::string failure_;
};

struct Case {
    const char* name;
    const char* programFolder;  // "rw" writable, "ro" read-only, or an absolute path
    const char* program;
    // Each variable: unset when null; "@x" is the folder x of the test's own folder.
    const char* home;
    const char* stateHome;
    const char* configHome;
    const char* log;      // expected, under the test's own folder
    const char* options;  // expected, under the test's own folder
};

const Case kCases[] = {
    {"writable folder keeps both beside the program", "rw", "kalvex", "@home", "@state", "@config",
     "rw/kalvex.log", "rw/kalvex.ini"},
    {"the command-line program's own name beside it", "rw", "kalvex-import", "@home", nullptr,
     nullptr, "rw/kalvex-import.log", "rw/kalvex-import.ini"},
    {"read-only folder, variables set", "ro", "kalvex", "@home", "@state", "@config",
     "state/kalvex/kalvex.log", "config/kalvex/kalvex.ini"},
    {"read-only folder, variables unset", "ro", "kalvex", "@home", nullptr, nullptr,
     "home/.local/state/kalvex/kalvex.log", "home/.config/kalvex/kalvex.ini"},
    {"read-only folder, variables empty", "ro", "kalvex", "@home", "", "",
     "home/.local/state/kalvex/kalvex.log", "home/.config/kalvex/kalvex.ini"},
    {"read-only folder, relative variables ignored", "ro", "kalvex", "@home", "state", "config",
     "home/.local/state/kalvex/kalvex.log", "home/.config/kalvex/kalvex.ini"},
    {"read-only folder, folders missing several levels deep", "ro", "kalvex", "@home", "@new/state",
     "@new/config", "new/state/kalvex/kalvex.log", "new/config/kalvex/kalvex.ini"},
    {"installed under /usr, writable to root or not", "/usr/bin", "kalvex", "@home", "@state",
     "@config", "state/kalvex/kalvex.log", "config/kalvex/kalvex.ini"},
    {"installed under /usr, defaults", "/usr/local/bin", "kalvex-import", "@home", nullptr, nullptr,
     "home/.local/state/kalvex/kalvex-import.log", "home/.config/kalvex/kalvex-import.ini"},
    {"read-only folder, no HOME needed beside the variables", "ro", "kalvex", nullptr, "@state",
     "@config", "state/kalvex/kalvex.log", "config/kalvex/kalvex.ini"},
    {"read-only folder, empty HOME beside the variables", "ro", "kalvex-import", "", "@state",
     "@config", "state/kalvex/kalvex-import.log", "config/kalvex/kalvex-import.ini"},
};

// Names the case in the test's name, not its bytes.
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class ProgramFiles : public ::testing::TestWithParam<Case> {};

TEST_P(ProgramFiles, BesideTheProgramOrInTheUserFolders) {
    const Case& c = GetParam();
    TempDir dir;
    const fs::path folder = dir.path() / c.programFolder;  // an absolute one stays itself
    if (folder.string().starts_with(dir.path().string()))
        fs::create_directory(folder);
    std::optional<ReadOnlyFolder> readOnly;
    if (std::string(c.programFolder) == "ro") {
        readOnly.emplace(folder);
        if (!readOnly->failure().empty())
            GTEST_SKIP() << readOnly->failure();
    }
    std::map<std::string, std::string> variables;
    const auto set = [&](const char* name, const char* value) {
        if (value != nullptr)
            variables[name] = value[0] == '@' ? (dir.path() / (value + 1)).string() : value;
    };
    set("HOME", c.home);
    set("XDG_STATE_HOME", c.stateHome);
    set("XDG_CONFIG_HOME", c.configHome);
    const Environment environment = [&](const std::string& name) -> std::optional<std::string> {
        const auto found = variables.find(name);
        if (found == variables.end())
            return std::nullopt;
        return found->second;
    };

    const std::string program = (folder / c.program).string();
    const std::string log = logFilePath(program, environment);
    const std::string options = optionsFilePath(program, environment);

    EXPECT_EQ(log, (dir.path() / c.log).string());
    EXPECT_EQ(options, (dir.path() / c.options).string());
    for (const fs::path& file : {fs::path(log), fs::path(options)}) {
        EXPECT_TRUE(fs::is_directory(file.parent_path())) << file;
        EXPECT_FALSE(fs::exists(file)) << file << " is only named, not made";
        if (!file.parent_path().string().starts_with(folder.string())) {
            const fs::perms made = fs::status(file.parent_path()).permissions();
            EXPECT_EQ(made & fs::perms::all, fs::perms::owner_all) << file.parent_path();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ProgramFiles, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

}  // namespace
