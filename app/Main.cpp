#include "app/Main.h"

#include "app/frmStart.h"
#include "app/globals.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QScreen>
#include <QStyleFactory>

void initApplication(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(uiFont(9));
    app.setApplicationName(QStringLiteral("Orvanth"));
}

bool acquireSingleInstance() {
    // The lock lives in the temporary folder; a copy that died leaves a stale lock, which
    // QLockFile recognises by its process id and takes over.
    static QLockFile lock(
        QDir::temp().filePath(QStringLiteral("orvanth-%1.lock").arg(qEnvironmentVariable("USER"))));
    lock.setStaleLockTime(0);
    return lock.tryLock(0);
}

void Main() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    gScale = screen ? scaleForScreen(screen->size().width(), screen->availableGeometry().size()) : 1.0f;
    gAppPath = appPathFor(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    Form::setQuitWhenLastUnloaded(true);
    form<frmStart>().Show();
}
