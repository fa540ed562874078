// Timing of the electron-cloud viewer's clouds: the 2s cloud of 3000 dots, a 1s cloud of
// 10 000 dots drawn straight, and the same drawn by the viewer itself, which lets the
// window system in before every dot, on the real clock.

#include "cloud/WaveFunction1.h"
#include "cloud/cloudfrm.h"
#include "player/Clock.h"
#include "player/Random.h"
#include "player/globals.h"

#include <QElapsedTimer>
#include <QLabel>
#include <cmath>
#include <cstdio>

namespace {

void row(const char* what, int dots, qint64 ns) {
    std::printf("%-48s %6d dots %10.2f ms %8.0f ns/dot\n", what, dots, ns / 1e6, double(ns) / dots);
}

template <class F> qint64 timed(F&& f) {
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed();
}

// The viewer's drawing area at the given scale, mapped to 640 x 400 units.
void prepare(Canvas& c, float scale) {
    c.resizeCanvas(int(550 * scale), int(400 * scale));
    c.setBackColor(qRgb(240, 215, 200));
    c.setScale(0, 0, 640, 400);
}

} // namespace

void benchCloud() {
    std::printf("Electron cloud\n");
    SeedRandom(1);
    for (float scale : {1.0f, 1.5f}) {
        Canvas c;
        prepare(c, scale);
        QLabel counter;
        WaveFunction1 w(c, counter);
        char what[64];
        std::snprintf(what, sizeof what, "2s cloud, gScale %.1f", double(scale));
        row(what, 3000, timed([&] { w.EcloudFunction3(float(5 / 0.529177), 1, 20); }));

        // The 1s cloud as the viewer samples it, without letting the window system in.
        const double xx = 5 / 0.529177, vm = 0.58, scale1 = 20;
        std::snprintf(what, sizeof what, "1s cloud, no events, gScale %.1f", double(scale));
        row(what, 10000, timed([&] {
                for (int count = 1; count <= 10000; ++count) {
                    counter.setText(counterCaption(count));
                    const double r = WaveFunction1::sampleRadius(WaveFunction1::fns, xx, vm);
                    const double theta = Rnd() * WaveFunction1::kFullTurn;
                    const double d = scale1 * r;
                    c.PSet(320 + d * std::cos(theta), 200 - d * std::sin(theta), QBColor(3));
                }
            }));
    }

    if (appClock().isVirtual()) {
        std::printf("(the viewer's own clouds need the real clock)\n");
        return;
    }
    for (float scale : {1.0f, 1.5f}) {
        gScale = scale;
        char what[64];
        cloudfrm* v = nullptr;
        std::snprintf(what, sizeof what, "viewer title cloud with events, gScale %.1f", double(scale));
        // Loading draws the title and its 1000-dot cloud.
        row(what, 1000, timed([&] { v = &form<cloudfrm>(); }));
        v->Show();
        v->setCount(10000);
        std::snprintf(what, sizeof what, "viewer 1s cloud with events, gScale %.1f", double(scale));
        row(what, 10000, timed([&] { v->run([&] { v->start0(); }); }));
        v->Unload();
        // Let the deferred deletion of the window run.
        appClock().waitUntil(appClock().msNow() + 20, false, nullptr);
    }
}
