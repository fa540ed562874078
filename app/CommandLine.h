#pragma once
// The options of the application's command line. They are read before anything else
// runs: --help and --version answer without a display and without the single-instance
// check, so they work while the application is open.

#include "lesson/Jump.h"

#include <QString>
#include <optional>

namespace cli {

// The version of the programs, as the package carries it.
const char* version();

struct AppOptions {
    // --open PROCEDURE/SECTION: the section the application starts at, once the start
    // window's opening animation has played.
    std::optional<jump::Target> open;
    // --fullscreen: the windows show full screen from the start window on.
    bool fullscreen = false;
};

// What the caller does after reading the command line.
struct Parsed {
    int exitStatus = -1; // 0 after --help or --version, 2 after a bad option; -1: run
    AppOptions options;
};

// Reads the options of orvanth. Arguments of Qt's own (-platform NAME, -display NAME,
// -style NAME, ...) are left for the application object. Help and version go to
// standard output, a bad option (an --open that names no section among them) with the
// usage to standard error.
Parsed parseAppOptions(int argc, char* argv[]);

// What the options ask for once the start window stands ready: --open opens the course
// of its section and starts the item there. Nothing when the start window has gone.
void applyAtStart(const AppOptions& options);

} // namespace cli
