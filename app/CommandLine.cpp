#include "app/CommandLine.h"

#include "app/frmStart.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"

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

constexpr const char* kUsage = "usage: orvanth [--fullscreen] [--open PROCEDURE/SECTION]\n"
                               "       orvanth --help | --version\n";

constexpr const char* kHelp =
    "Orvanth: two illustrated lecture courses, on light and on matter, played step by step.\n"
    "\n"
    "Options:\n"
    "  --fullscreen     show the windows full screen from the start (F11 switches)\n"
    "  --open P/S       start at section S of the item whose procedure is P, after the\n"
    "                   opening animation (for example --open Wave/5); the procedures\n"
    "                   are Intro, Kika, Wave, Quantum, Iro (light), Class, Gensi (matter)\n"
    "  --help           print this help and exit\n"
    "  --version        print the version and exit\n"
    "\n"
    "Keys in a lesson window: Enter, Page Down or the right arrow go on (Next);\n"
    "Page Up goes back one step; Ctrl+G lists the items and their sections to jump to.\n"
    "In any window: F11 shows it full screen, scaled to fit; F11 again or Escape returns.\n";

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
        if (!std::strcmp(a, "--fullscreen")) {
            p.options.fullscreen = true;
            continue;
        }
        if (!std::strcmp(a, "--open") || !std::strncmp(a, "--open=", 7)) {
            const char* spec = a[6] == '=' ? a + 7 : (i + 1 < argc ? argv[++i] : nullptr);
            if (!spec) return bad("--open lacks its PROCEDURE/SECTION", nullptr);
            QString error;
            p.options.open = jump::parse(QString::fromLocal8Bit(spec), &error);
            if (!p.options.open) return bad("--open", error.toLocal8Bit().constData());
            continue;
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

void applyAtStart(const AppOptions& options) {
    if (!options.open) return;
    const jump::Target& t = *options.open;
    frmStart* start = loadedForm<frmStart>();
    if (!start || !start->isVisible()) return; // closed during the opening animation
    // The course button, as the learner presses it, then the jump in its window.
    start->run([&] { start->cmdItem_Click(t.course == course::Id::Light ? 1 : 2); });
    LessonWindow* w = nullptr;
    if (t.course == course::Id::Light)
        w = loadedForm<frmLight>();
    else
        w = loadedForm<frmMaterial>();
    if (!w || !w->isVisible()) return;
    w->gate.hold([&] { w->run([&] { jump::startAt(*w, t); }); });
}

} // namespace cli
