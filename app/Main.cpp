#include "app/Main.h"

#include "app/QtTranslation.h"
#include "app/SingleInstance.h"
#include "app/frmStart.h"
#include "lesson/LessonWindow.h"
#include "player/Presentation.h"
#include "player/Sound.h"
#include "player/globals.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QSocketNotifier>
#include <QStyleFactory>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

void initApplication(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(uiFont(9));
    app.setApplicationName(QStringLiteral("Orvanth"));
}

void Main() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    gScale = screen ? scaleForScreen(screen->size().width(), screen->availableGeometry().size()) : 1.0f;
    gAppPath = appPathFor(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    Form::setQuitWhenLastUnloaded(true);
    form<frmStart>().Show();
}

void unloadAllWindows() {
    // Viewers first (closing one shows the matter window), then the lesson windows
    // (closing one shows the start window), then the rest, the start window last.
    auto unloadWhere = [](auto pred) {
        for (Form* f : Form::all())
            if (pred(f) && !f->isUnloading()) f->Unload();
    };
    unloadWhere([](Form* f) { return !dynamic_cast<LessonWindow*>(f) && !dynamic_cast<frmStart*>(f); });
    unloadWhere([](Form* f) { return dynamic_cast<LessonWindow*>(f) != nullptr; });
    unloadWhere([](Form*) { return true; });
}

namespace {

// A termination signal only writes a byte here; the event loop reads it and ends the
// application the orderly way.
int signalPipe[2] = {-1, -1};

extern "C" void onTerminate(int) {
    const char b = 1;
    const int saved = errno;
    ssize_t ignored = ::write(signalPipe[1], &b, 1);
    (void)ignored;
    errno = saved;
}

void installTerminationHandler(QApplication& app) {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char buf[16];
        while (::read(signalPipe[0], buf, sizeof buf) > 0) {
        }
        unloadAllWindows();
        // Windows whose code is running unwind first; the last one to go quits.
        if (Form::all().isEmpty()) QCoreApplication::quit();
    });
    struct sigaction sa {};
    sa.sa_handler = onTerminate;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &sa, nullptr);
}

void restoreDefaultSignals() {
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        std::signal(sig, SIG_DFL);
}

} // namespace

void endProcess(int status) {
    std::fflush(nullptr);
    ::_exit(status);
}

int runApplication(QApplication& app, const std::function<void()>& atStart) {
    initApplication(app);
    loadQtTranslation(app);
    installTerminationHandler(app);
    // Later starts are answered from here on, during the opening animation too.
    serveSingleInstance(bringWindowsForward);
    Main();
    if (atStart) atStart();
    int status = 0;
    if (!Form::all().isEmpty()) status = app.exec();
    releaseSingleInstance();
    restoreDefaultSignals();
    presentation::leave();
    // Whatever is still loaded goes now, while the application object lives: the
    // multimedia and window-system state behind these objects does not outlive it.
    while (!Form::all().isEmpty())
        delete Form::all().first();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!releaseSoundOutput()) {
        // The sound server holds our output: end without the destructors that would
        // free state its thread still uses.
        std::fflush(nullptr);
        ::_exit(status);
    }
    return status;
}
