#pragma once

#include <string>

// The wizard's last inputs, kept in the options file beside the program
// (section "Kalvex"). The wizard copies them to and from its controls.
namespace kalvex::app {

struct Options {
    bool rbFolderChecked = true;
    bool rbFileChecked = false;
    std::string edtXMLDir;
    std::string edtXMLfile;
    std::string edtGDBfile;
    int cbSalvixType = 0;  // 0 "Salvix GP", 1 "Salvix S"
};

// Reads the six keys; each missing or unreadable one keeps its default.
Options LoadOptionsFromFile(const std::string& optionsFileName);

// Writes the six keys (in the order rbFileChecked, rbFolderChecked, edtXMLDir,
// edtXMLfile, edtGDBfile, cbSalvixType) and keeps the rest of the file.
// Throws Error "Unable to write to <file name>".
void SaveOptionsToFile(const std::string& optionsFileName, const Options& options);

}  // namespace kalvex::app
