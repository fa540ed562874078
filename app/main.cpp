#include "app/Main.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Before anything else: a second copy leaves at once, without a window or a message,
    // and without touching the display.
    if (!acquireSingleInstance()) return 0;
    int status = 0;
    {
        QApplication app(argc, argv);
        status = runApplication(app);
    }
    endProcess(status);
}
