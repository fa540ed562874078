// Pacing rows of the hierarchy-of-matter lesson: its animations, played in the real
// matter window from the canvas state their steps set up.

#include "app/globals.h"
#include "bench/pacing.h"
#include "matter/class/animations.h"
#include "player/Page.h"
#include "player/frmMaterial.h"

namespace pacing {

namespace {

frmMaterial& matterWindow() {
    frmMaterial& w = form<frmMaterial>();
    if (!w.isVisible()) w.Show();
    w.picMenu->hide();
    return w;
}

Row animation(const char* name, double nominalMs, void (*prepare)(frmMaterial&), void (*play)(Page&)) {
    Row r;
    r.name = QString::fromUtf8(name);
    r.nominalMs = nominalMs;
    r.prepare = [prepare] { prepare(matterWindow()); };
    r.play = [play] {
        frmMaterial& w = matterWindow();
        w.run([&] {
            Page p(w);
            play(p);
        });
    };
    r.finish = [] {
        // Not unloaded: that would show the start window and play its opening. Nothing of
        // the window runs any more, so it can go at once.
        if (frmMaterial* w = loadedForm<frmMaterial>()) {
            w->hide();
            delete w;
        }
    };
    return r;
}

} // namespace

void matterRows(std::vector<Row>& rows) {
    // Sleep(n) of the matter window is a sleeping wait of one sleep of n ms; a one-tick
    // wait lasts 1 ms.
    // Four passes of 13 discs (palette 14 down to 2), each a tick and a sleep of 30 ms.
    rows.push_back(animation(
        "zoom (2.4)", 4 * 13 * (1 + 30),
        [](frmMaterial& w) {
            w.setBackColor(QBColor(15));
            w.Cls();
        },
        matter::klass::animations::Zoom));
    // Six marks with a sleep of 10 ms each; 120 climbs of Pause(10) and a sleep of 10 ms;
    // twenty marks with a sleep of 10 ms each; the spreading marks only let events in.
    rows.push_back(animation(
        "ruler (2.7)", 6 * 10 + 120 * (10 + 10) + 20 * 10,
        [](frmMaterial& w) {
            w.setBackColor(QBColor(15));
            w.Cls();
            w.DrawWidth = 1;
            w.Line(S(250), S(0), S(250), S(175));
            w.LineTo(S(300), S(175));
            w.LineTo(S(300), S(0));
        },
        matter::klass::animations::Ruler));
    // Nine ellipses (a = 0 to pi by pi / 8) of 75 points (b = 0 to 7.283184 by pi / 32),
    // a tick after each point.
    rows.push_back(animation(
        "orbits (2.8)", 9 * 75 * 1,
        [](frmMaterial& w) {
            w.setBackColor(QBColor(15));
            w.Cls();
        },
        matter::klass::animations::Orbits));
    // 280 rectangles, Pause(5) each.
    rows.push_back(animation(
        "box zoom (2.10)", 280 * 5,
        [](frmMaterial& w) {
            w.setBackColor(QBColor(15));
            w.Cls();
            w.FillStyle = FillStyles::Transparent;
            w.DrawWidth = 5;
        },
        matter::klass::animations::BoxZoom));
    // Two shots of 50 rings (r = 1 to 197 by 4), a timed wait of 0.005 s each.
    rows.push_back(animation(
        "explosion (2.21)", 2 * 50 * 5,
        [](frmMaterial& w) {
            w.setBackColor(QBColor(0));
            w.Cls();
            w.FillStyle = FillStyles::Transparent;
            w.DrawWidth = 2;
        },
        matter::klass::animations::Explosion));
}

} // namespace pacing
