#include "app/Main.h"
#include "app/SingleInstance.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Before anything else: a second copy asks the first to come forward and leaves.
    if (!acquireSingleInstance()) {
        const int asked = bringRunningCopyForward(argc, argv);
        if (asked >= 0) return asked;
    }
    int status = 0;
    {
        QApplication app(argc, argv);
        status = runApplication(app);
    }
    endProcess(status);
}
