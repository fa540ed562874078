// Pacing rows of the introduction to light and of geometric optics: their animated
// scenes, each played whole on the real clock through the lesson layer.

#include "bench/pacing.h"
#include "lesson/LessonWindow.h"

namespace pacing {

namespace {

Row scene(const char* name, int step, double nominalMs) {
    return lessonStep(name, nominalMs, lightWindow, "Intro", 1, step);
}

} // namespace

void lightRows(std::vector<Row>& rows) {
    // A Pause(d) with d below 1 lasts one tick of the millisecond clock (1 ms); a sleeping
    // wait Pause(d, n) with d below 1 lasts one sleep of n ms.
    // 100 stars with a tick each, then 50 twinkles with a sleep of 100 ms each.
    rows.push_back(scene("stars (1.1)", 1, 100 * 1 + 50 * 100));
    // 1000 passes of three dots, a tick each.
    rows.push_back(scene("dawn dots (1.3)", 3, 1000 * 1));
    // A tick before rays 2 to 5.
    rows.push_back(scene("sun rays (1.5)", 5, 4 * 1));
    // A sleep of 300 ms after each of the first eight discs.
    rows.push_back(scene("cumulus cloud (1.7)", 7, 8 * 300));
    // The thunder follows the flash after a sleep of 800 ms.
    rows.push_back(scene("storm (1.8)", 8, 800));
    // 300 streaks: a tick while each shows, a sleep of 20 ms after it is wiped.
    rows.push_back(scene("downpour (1.9)", 9, 300 * (1 + 20)));
}

void kikaRows(std::vector<Row>& rows) {
    // The race from P to Q: a Pause(0.005), one tick, after each of its 637 passes (the
    // arc's x from 29 by 0.9 while it stays at or below 602).
    rows.push_back(lessonStep("path race (K2.2)", 637 * 1, lightWindow, "Kika", 2, 2));
    // 160 particles, each followed by Sleep(50): one sleep of 50 ms.
    rows.push_back(lessonStep("particles (K3.12)", 160 * 50, lightWindow, "Kika", 3, 12));
    // The long wave's 500 positions, a Sleep(50) after each. Entered as from a later step
    // the particle field is drawn first, at once; the short and the shortest wave of the
    // next two steps pace their 500 positions the same way.
    rows.push_back(lessonStep("scattering (K3.13)", 500 * 50, lightWindow, "Kika", 3, 13,
                              [](LessonWindow& w) { w.LastStep = 14; }));
}

} // namespace pacing
