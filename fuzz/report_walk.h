#pragma once

#include <string>

// The one routine the fuzzer and the corpus replay test share.
namespace kalvex::fuzz {

// Loads `fileName`, checks it against every NRD version (version_check.h), then loads
// it as an e-report of every version in turn and, where it binds, reads everything that
// version's model offers (model_walk.h). A kalvex::Error from
// the load, the binding or any read is the model's answer to a bad file and is caught;
// anything else (another exception, a sanitizer report) escapes and is a finding.
void walkReport(const std::string& fileName);

}  // namespace kalvex::fuzz
