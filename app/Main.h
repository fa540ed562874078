#pragma once
// Start-up and shutdown of the application.

#include <functional>

class QApplication;

// Settings every program of the project shares: the widget style and font, so the
// windows look the same in the application, the tour and the tests.
void initApplication(QApplication& app);

// Fixes the scale factor and the application folder, and shows the start window.
void Main();

// Everything the application does once its application object exists: the shared
// settings, a termination request (SIGTERM, SIGINT, SIGHUP) turned into an orderly end,
// Main, the event loop, and a teardown that destroys every window and the sound output
// while the application object still lives. Returns the exit status. atStart runs once
// the start window stands ready, before the event loop.
int runApplication(QApplication& app, const std::function<void()>& atStart = {});

// Ends the process once the application object is gone: the standard streams are
// flushed, and the static destructors of the libraries do not run. Qt Multimedia (6.4)
// tears its PulseAudio connection down in one of them, racing with the sound library's
// own thread, and an assertion of that library then aborts the process now and then.
// Everything of ours is destroyed by then, and nothing is left to write.
[[noreturn]] void endProcess(int status);

// Unloads every window (viewers, lesson windows, then the start window); the
// application ends once the last is gone.
void unloadAllWindows();
