#pragma once

#include <cstdlib>
#include <string>

// The project's sample e-reports (samples/, written by tools/make_samples.cpp), one of
// every NRD version, and the version each is of.
namespace kalvex::testing {

struct SampleFile {
    const char* file;
    int year;  // its NRD version
};

inline constexpr SampleFile kSampleFiles[] = {
    {"nrd2005.xml", 2005}, {"nrd2006.xml", 2006},    {"nrd2008.xml", 2008},
    {"nrd2009.xml", 2009}, {"nrd2015.xml", 2015},    {"nrd2018.xml", 2018},
    {"nrd2021.xml", 2021}, {"nrd2022-gp.xml", 2022}, {"nrd2022-s.xml", 2022},
};

inline std::string samplePath(const std::string& file) {
    const char* source = std::getenv("KALVEX_SOURCE_DIR");
    return std::string(source == nullptr ? "." : source) + "/samples/" + file;
}

}  // namespace kalvex::testing
