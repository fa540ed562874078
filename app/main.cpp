#include "app/Main.h"
#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "player/Presentation.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // The options first: --help and --version answer even while another copy runs.
    const cli::Parsed parsed = cli::parseAppOptions(argc, argv);
    if (parsed.exitStatus >= 0) return parsed.exitStatus;
    // Then a second copy asks the first to come forward and leaves.
    if (!acquireSingleInstance()) {
        const int asked = bringRunningCopyForward(argc, argv);
        if (asked >= 0) return asked;
    }
    int status = 0;
    {
        QApplication app(argc, argv);
        if (parsed.options.fullscreen) presentation::request();
        status = runApplication(app, [&] { cli::applyAtStart(parsed.options); });
    }
    endProcess(status);
}
