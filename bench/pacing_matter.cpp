// Pacing rows of the hierarchy-of-matter lesson: its animated steps played through the
// lesson layer in the real matter window.

#include "app/globals.h"
#include "bench/pacing.h"
#include "matter/class/animations.h"
#include "player/Page.h"
#include "player/frmMaterial.h"

namespace pacing {

namespace {

Row classStep(const char* name, double nominalMs, int section, int step,
              std::function<void(LessonWindow&)> before = {}) {
    return lessonStep(name, nominalMs, matterWindow, "Class", section, step, std::move(before));
}

// The canvas a step of the micro world finds after the step before it.
void whiteCanvas(LessonWindow& w) {
    w.setBackColor(QBColor(15));
    w.Cls();
}

} // namespace

void matterRows(std::vector<Row>& rows) {
    // Sleep(n) of the matter window is a sleeping wait of one sleep of n ms; a one-tick
    // wait lasts 1 ms; a timed wait of s seconds lasts s * 1000 ms on the clock.

    // Four passes of 13 discs (palette 14 down to 2), each a tick and a sleep of 30 ms.
    rows.push_back(classStep("zoom (2.4)", 4 * 13 * (1 + 30), 2, 4, whiteCanvas));
    // Six marks with a sleep of 10 ms each; 120 climbs of Pause(10) and a sleep of 10 ms;
    // twenty marks with a sleep of 10 ms each; then 100 spreads whose ten marks let events
    // in, each but the last wiped again mark by mark with a sleep of 10 ms.
    rows.push_back(classStep("ruler (2.7)", 6 * 10 + 120 * (10 + 10) + 20 * 10 + 99 * 10 * 10, 2, 7));
    // Nine ellipses (a = 0 to pi by pi / 8) of 75 points (b = 0 to 7.283184 by pi / 32),
    // a tick after each point. Its step then shows six pictures a second apart: the
    // orbits alone are the animation.
    rows.push_back(figure(
        "orbits (2.8)", 9 * 75 * 1, matterWindow,
        [](Page& p) {
            p.back(QBColor(15));
            p.cls();
        },
        matter::klass::animations::Orbits));
    // 280 rectangles, Pause(5) each.
    rows.push_back(classStep("box zoom (2.10)", 280 * 5, 2, 10));
    // Two shots of 50 rings (r = 1 to 197 by 4), a timed wait of 0.005 s each.
    rows.push_back(classStep("explosion (2.21)", 2 * 50 * 5, 2, 21));
}

} // namespace pacing
