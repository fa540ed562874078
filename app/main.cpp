#include "app/Main.h"
#include "app/QtTranslation.h"
#include "player/Form.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (!acquireSingleInstance()) return 0; // another copy runs: leave it alone
    initApplication(app);
    loadQtTranslation(app);
    Main();
    if (Form::all().isEmpty()) return 0;
    return app.exec();
}
