// Pacing rows of wave optics: the phase animation, the travelling wave, one wave of the
// superposition exercise, the double slit and the field of the electromagnetic wave.

#include "bench/pacing.h"
#include "lesson/Page.h"
#include "light/wave/sections.h"

namespace pacing {

void waveRows(std::vector<Row>& rows) {
    // Pause(5) before the walk; 396 marker positions with three Pause(5) each (before the
    // markers, before the circles, before they are wiped); Pause(10), Pause(90) and
    // Pause(90) while the curves are restored.
    rows.push_back(lessonStep("phase (W1.4)", 5 + 396 * 3 * 5 + 10 + 90 + 90, lightWindow, "Wave", 1, 4));
    // 426 frames (j = 0 to 850 by 2), each Pause(10) drawn and Pause(0.1), a tick, erased;
    // then Pause(2000).
    rows.push_back(lessonStep("travelling (W1.5)", 426 * (10 + 1) + 2000, lightWindow, "Wave", 1, 5));
    // The step asks for the wave first: the wave of the tour's answer (amplitude 20,
    // frequency 5) drawn on its own, 360 points with Sleep(15) each.
    rows.push_back(figure(
        "Wave_sub1 (W2.2)", 360 * 15, lightWindow, [](Page& p) { p.cls(); },
        [](Page& p) { light::wave::Wave_sub1(p, 1, 20, 5); }));
    // 721 points of the curve (i = -360 to 360), Sleep(10) each.
    rows.push_back(lessonStep("double slit (W6.2)", 721 * 10, lightWindow, "Wave", 6, 2));
    // 90 pairs of arrows (i = 1 to 720 by 8), Sleep(10) each.
    rows.push_back(lessonStep("field (W7.1)", 90 * 10, lightWindow, "Wave", 7, 1));
}

} // namespace pacing
