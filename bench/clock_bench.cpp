#include "bench/bench.h"
#include "lesson/frmMaterial.h"
#include "player/Clock.h"
#include "player/globals.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The CPU the process uses while f runs, in per cent of one core.
template <class F> void cpuRow(const char* what, F&& f) {
    const double c0 = cpuSeconds();
    QElapsedTimer t;
    t.start();
    f();
    const double wall = double(t.nsecsElapsed()) / 1e9;
    std::printf("CPU %-44s %5.1f %% of one core over %.2f s\n", what, 100.0 * (cpuSeconds() - c0) / wall,
                wall);
}

} // namespace

namespace bench {

void clockAccuracy() {
    std::printf("\nPause on the real clock (overshoot beyond the nominal wait)\n");
    Session s;
    for (double d : {1.0, 5.0, 10.0, 80.0}) {
        std::vector<double> over;
        const int n = d < 50 ? 100 : 25;
        for (int i = 0; i < n; ++i) {
            QElapsedTimer t;
            t.start();
            waits::pause(s, d);
            over.push_back(double(t.nsecsElapsed()) / 1e6 - d);
        }
        std::sort(over.begin(), over.end());
        std::printf("Pause(%4.0f ms)  median overshoot %6.3f ms  worst %6.3f ms  (%d waits)\n", d,
                    over[over.size() / 2], over.back(), n);
    }

    // How late the real clock wakes behind its deadlines, over consecutive one-tick waits.
    if (auto* real = dynamic_cast<RealClock*>(&appClock())) {
        std::vector<double> late;
        for (int i = 0; i < 1000; ++i) {
            const qint64 deadline = real->msNow() + 1;
            real->waitUntil(deadline, false, &s);
            late.push_back(double(RealClock::monotonicNs() - real->momentOf(deadline)) / 1e6);
        }
        std::sort(late.begin(), late.end());
        std::printf(
            "1000 one-tick waits: woken after the deadline by median %.3f ms, 90 %% %.3f, 99 %% %.3f, "
            "worst %.3f ms (%s)\n",
            late[500], late[900], late[990], late.back(),
            real->usesTimerDescriptor() ? "timer descriptor" : "Qt timer");
    }

    cpuRow("during a 2 s Pause", [&] { waits::pause(s, 2000); });
    cpuRow("during a 2 s timed wait (seconds clock)", [&] { waits::seconds(s, 2); });
    cpuRow("during 20 sleeping waits of 100 ms", [&] {
        for (int i = 0; i < 20; ++i)
            waits::sleepPause(s, 0.1, 100);
    });
    // A lesson window at rest after an animation, its last frame still held back.
    const float scaleBefore = gScale;
    gScale = 1.5f;
    frmMaterial& w = form<frmMaterial>();
    w.Show();
    w.picMenu->hide();
    w.setBackColor(QBColor(15));
    w.Cls();
    w.run([&] {
        for (int i = 1; i <= 50; ++i) {
            w.Circle(S(320), S(200), S(i * 3), QBColor(i % 15));
            w.WaitTick();
        }
    });
    cpuRow("idle in a step (lesson window at rest, 2 s)",
           [] { appClock().waitUntil(appClock().msNow() + 2000, false, nullptr); });
    w.hide();
    delete &w;
    gScale = scaleBefore;
}

} // namespace bench
