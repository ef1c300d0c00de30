#pragma once

#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "support/temp_dir.h"

namespace kalvex::testing {

// A folder on a disk of its own that holds only `kilobytes`: a tmpfs mounted there for
// the test's length. Mounting needs root (as the tests run in CI); elsewhere
// `unavailable()` says why, for the test to skip.
class SmallDisk {
  public:
    explicit SmallDisk(int kilobytes) {
        const std::string options = "size=" + std::to_string(kilobytes) + "k";
        if (mount("tmpfs", dir_.path().c_str(), "tmpfs", 0, options.c_str()) == 0)
            mounted_ = true;
        else
            why_ = std::string("no tmpfs can be mounted here: ") + std::strerror(errno);
    }
    ~SmallDisk() {
        if (mounted_)
            umount2(dir_.path().c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    const std::string& unavailable() const { return why_; }
    std::string file(const std::string& name) const { return dir_.file(name); }

  private:
    TempDir dir_;
    bool mounted_ = false;
    std::string why_;
};

}  // namespace kalvex::testing
