#include "app/Main.h"
#include "player/Form.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (!acquireSingleInstance()) return 0; // another copy runs: leave it alone
    initApplication(app);
    Main();
    if (Form::all().isEmpty()) return 0;
    return app.exec();
}
