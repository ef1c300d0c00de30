// The wizard program. For now it starts, writes the log's start and end lines and
// ends; the window comes with the wizard.
#include <iostream>

#include "common/formats.h"
#include "common/logger.h"
#include "common/program_path.h"

int main() {
    using namespace kalvex::common;
    SetGlobalCultureFormats();
    TLogger logger(changeFileExt(programPath(), ".log"));
    if (!logger.startFailure().empty())
        std::cerr << logger.startFailure() << '\n';
    return 0;
}
