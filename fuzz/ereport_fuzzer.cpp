// libFuzzer entry: the input bytes are an e-report file, loaded and read for every NRD
// version by the routine the corpus replay test runs too. Built by -DKALVEX_FUZZ=ON
// with clang; run by tools/fuzz.sh.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/report_walk.h"

namespace {

// The loader reads files, so each input goes through one scratch file of this process.
const std::string& scratchFile() {
    static const std::string name = [] {
        const auto path = std::filesystem::temp_directory_path() /
                          ("kalvex-fuzz-" + std::to_string(::getpid()) + ".xml");
        std::atexit([] { std::remove(scratchFile().c_str()); });
        return path.string();
    }();
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out)
            std::abort();  // no scratch file, no fuzzing
    }
    kalvex::fuzz::walkReport(scratchFile());
    return 0;
}
