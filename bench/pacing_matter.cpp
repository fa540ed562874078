// Pacing rows of the hierarchy-of-matter lesson: its animated steps played
// through the lesson layer in the real matter window.

#include "bench/pacing.h"
#include "lesson/Page.h"
#include "lesson/frmMaterial.h"
#include "matter/class/animations.h"
#include "matter/figures.h"
#include "player/globals.h"

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
    // Sleep(n) of the matter window is a sleeping wait of one sleep of n ms; a
    // one-tick wait lasts 1 ms; a timed wait of s seconds lasts s * 1000 ms on
    // the clock.

    // ---- the micro world (section 2) ----
    // Four passes of 13 discs (palette 14 down to 2), each a tick and a sleep of
    // 30 ms.
    rows.push_back(classStep("zoom (2.4)", 4 * 13 * (1 + 30), 2, 4, whiteCanvas));
    // Six marks with a sleep of 10 ms each; 120 climbs of Pause(10) and a sleep
    // of 10 ms; twenty marks with a sleep of 10 ms each; then 100 spreads whose
    // ten marks let events in, each but the last wiped again mark by mark with a
    // sleep of 10 ms.
    rows.push_back(classStep("ruler (2.7)", 6 * 10 + 120 * (10 + 10) + 20 * 10 + 99 * 10 * 10, 2, 7));
    // Nine ellipses (a = 0 to pi by pi / 8) of 75 points (b = 0 to 7.283184 by pi
    // / 32), a tick after each point. Its step then shows six pictures a second
    // apart: the orbits alone are the animation.
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

    // ---- the macro world (section 3) ----
    // 146 circles (v = 100 to 3000 by 20), a timed wait of 0.01 s after each.
    rows.push_back(classStep("spiral (3.1)", 146 * 10, 3, 1));
    // 2000 pairs of belt dots, a one-tick wait after each pair.
    rows.push_back(classStep("belt (3.4)", 2000 * 1, 3, 4));
    // The ring of 300 asteroid dots and the comet's 75 points (t = 0 to 7.283184
    // by pi / 32), a timed wait of 0.01 s after each.
    rows.push_back(classStep("outer planets (3.7)", (300 + 75) * 10, 3, 7));
    // Our galaxy in mode 1: 1890 dots (five arms, three rings, 126 points), a
    // timed wait of 0.005 s after each; drawn on its own, as its step then adds
    // the bulge.
    rows.push_back(figure(
        "galaxy mode 1 (3.11)", 1890 * 5, matterWindow,
        [](Page& p) {
            p.back(QBColor(0));
            p.cls();
        },
        [](Page& p) { matter::galaxy(p, 1.0472, -0.523599, 320, 200, 30, 13, 1); }));
    // Step 11 reached again from a later step: the galaxy at once, then the
    // bulge's 3000 dots with a timed wait of 0.002 s after each.
    rows.push_back(classStep("bulge (3.11)", 3000 * 2, 3, 11, [](LessonWindow& w) { w.LastStep = 12; }));
}

} // namespace pacing
