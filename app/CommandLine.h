#pragma once
// The options of the application's command line. They are read before anything else
// runs: --help and --version answer without a display and without the single-instance
// check, so they work while the application is open.

#include <QString>

namespace cli {

// The version of the programs, as the package carries it.
const char* version();

struct AppOptions {};

// What the caller does after reading the command line.
struct Parsed {
    int exitStatus = -1; // 0 after --help or --version, 2 after a bad option; -1: run
    AppOptions options;
};

// Reads the options of orvanth. Arguments of Qt's own (-platform NAME, -display NAME,
// -style NAME, ...) are left for the application object. Help and version go to
// standard output, a bad option with the usage to standard error.
Parsed parseAppOptions(int argc, char* argv[]);

} // namespace cli
