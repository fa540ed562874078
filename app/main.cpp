#include "app/Main.h"
#include "app/CommandLine.h"
#include "player/Presentation.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // The options first: --help and --version answer even while another copy runs.
    const cli::Parsed parsed = cli::parseAppOptions(argc, argv);
    if (parsed.exitStatus >= 0) return parsed.exitStatus;
    // Before anything else: a second copy leaves at once, without a window or a message,
    // and without touching the display.
    if (!acquireSingleInstance()) return 0;
    int status = 0;
    {
        QApplication app(argc, argv);
        if (parsed.options.fullscreen) presentation::request();
        status = runApplication(app, [&] { cli::applyAtStart(parsed.options); });
    }
    endProcess(status);
}
