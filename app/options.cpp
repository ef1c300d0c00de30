#include "app/options.h"

#include "common/ini_file.h"

namespace kalvex::app {
namespace {
constexpr const char* kSection = "Kalvex";
}

Options LoadOptionsFromFile(const std::string& optionsFileName) {
    const common::IniFile ini(optionsFileName);
    const Options defaults;
    Options options;
    options.rbFolderChecked = ini.ReadBool(kSection, "rbFolderChecked", defaults.rbFolderChecked);
    options.rbFileChecked = ini.ReadBool(kSection, "rbFileChecked", defaults.rbFileChecked);
    options.edtXMLDir = ini.ReadString(kSection, "edtXMLDir", defaults.edtXMLDir);
    options.edtXMLfile = ini.ReadString(kSection, "edtXMLfile", defaults.edtXMLfile);
    options.edtGDBfile = ini.ReadString(kSection, "edtGDBfile", defaults.edtGDBfile);
    options.cbSalvixType = ini.ReadInteger(kSection, "cbSalvixType", defaults.cbSalvixType);
    return options;
}

void SaveOptionsToFile(const std::string& optionsFileName, const Options& options) {
    common::IniFile ini(optionsFileName);
    ini.WriteBool(kSection, "rbFileChecked", options.rbFileChecked);
    ini.WriteBool(kSection, "rbFolderChecked", options.rbFolderChecked);
    ini.WriteString(kSection, "edtXMLDir", options.edtXMLDir);
    ini.WriteString(kSection, "edtXMLfile", options.edtXMLfile);
    ini.WriteString(kSection, "edtGDBfile", options.edtGDBfile);
    ini.WriteInteger(kSection, "cbSalvixType", options.cbSalvixType);
    ini.UpdateFile();
}

}  // namespace kalvex::app
