#include "bench/bench.h"
#include "player/Clock.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

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
            over.push_back(t.nsecsElapsed() / 1e6 - d);
        }
        std::sort(over.begin(), over.end());
        std::printf("Pause(%4.0f ms)  median overshoot %6.3f ms  worst %6.3f ms  (%d waits)\n", d,
                    over[over.size() / 2], over.back(), n);
    }
    const std::clock_t c0 = std::clock();
    QElapsedTimer t;
    t.start();
    waits::pause(s, 2000);
    const double cpu = double(std::clock() - c0) / CLOCKS_PER_SEC;
    std::printf("CPU during a 2 s Pause: %.1f %% of one core\n", 100.0 * cpu / (t.elapsed() / 1000.0));
}

int pacing(int, char*[]) {
    benchPacingLight();
    benchPacingMatter();
    return benchPacingTour();
}

} // namespace bench
