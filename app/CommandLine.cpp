#include "app/CommandLine.h"

#include <cstdio>
#include <cstring>

namespace cli {

#ifndef ORVANTH_VERSION
#define ORVANTH_VERSION "unknown"
#endif

const char* version() {
    return ORVANTH_VERSION;
}

namespace {

constexpr const char* kUsage = "usage: orvanth [--help] [--version]\n";

constexpr const char* kHelp =
    "Orvanth: two illustrated lecture courses, on light and on matter, played step by step.\n"
    "\n"
    "Options:\n"
    "  --help           print this help and exit\n"
    "  --version        print the version and exit\n"
    "\n"
    "Keys in a lesson window: Enter, Page Down or the right arrow go on (Next);\n"
    "Page Up goes back one step.\n";

// Qt's own options that take a value: the value is not one of ours either.
bool qtOptionWithValue(const char* a) {
    for (const char* o : {"-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-display",
                          "-style", "-stylesheet", "-session", "-name", "-title", "-visual",
                          "-qwindowgeometry", "-qwindowicon", "-qwindowtitle", "-geometry", "-qmljsdebugger"})
        if (!std::strcmp(a, o)) return true;
    return false;
}

Parsed bad(const char* problem, const char* arg) {
    std::fprintf(stderr, "orvanth: %s%s%s\n%s", problem, arg ? ": " : "", arg ? arg : "", kUsage);
    return {2, {}};
}

} // namespace

Parsed parseAppOptions(int argc, char* argv[]) {
    Parsed p;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (!std::strcmp(a, "--help") || !std::strcmp(a, "-h")) {
            std::fputs(kUsage, stdout);
            std::fputs(kHelp, stdout);
            return {0, {}};
        }
        if (!std::strcmp(a, "--version")) {
            std::printf("orvanth %s\n", version());
            return {0, {}};
        }
        if (a[0] == '-' && a[1] != '-' && a[1] != '\0') {
            // One of Qt's options: the application object reads it.
            if (qtOptionWithValue(a)) ++i;
            continue;
        }
        return bad(a[0] == '-' ? "unknown option" : "unexpected argument", a);
    }
    return p;
}

} // namespace cli
