#include "tests/support/Harness.h"

#include "player/Form.h"
#include "player/Prompts.h"
#include "player/globals.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

namespace harness {

namespace {
VirtualClock* clockPtr = nullptr;
RecordingSoundBackend* soundsPtr = nullptr;
} // namespace

void setUp(float scale, double secondsAtZero) {
    auto c = std::make_unique<VirtualClock>(secondsAtZero);
    clockPtr = c.get();
    setClock(std::move(c));
    auto s = std::make_unique<RecordingSoundBackend>();
    soundsPtr = s.get();
    setSoundBackend(std::move(s));
    setModalHook(nullptr);
    gScale = scale;
    gAppPath = appPathFor(QCoreApplication::applicationDirPath());
    gCourseName.clear();
    gMenuItem = gSection = gStep = gQuestion = 0;
    gAnswers[0].clear();
    gAnswers[1].clear();
}

VirtualClock& clock() {
    return *clockPtr;
}
RecordingSoundBackend& sounds() {
    return *soundsPtr;
}

void flush() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

void closeAllWindows() {
    for (Form* f : Form::all())
        f->Unload();
    flush();
}

} // namespace harness
