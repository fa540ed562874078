// Pacing of the animations of the hierarchy-of-matter lesson on the real clock. Each
// animation is played twice in the real matter window: once on a virtual clock, which
// adds up exactly its nominal waits, and once on the real clock. The difference is what
// drawing, repainting and the waits' own overshoot add to what the learner sees.

#include "app/Random.h"
#include "app/globals.h"
#include "matter/class/animations.h"
#include "player/Clock.h"
#include "player/Page.h"
#include "player/Sound.h"
#include "player/frmMaterial.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

void benchPacingMatter() {
    struct Animation {
        const char* name;
        void (*prepare)(frmMaterial&); // the canvas state the step sets up before it
        void (*play)(Page&);
    };
    static const Animation animations[] = {
        {"ruler (2.7)",
         [](frmMaterial& w) {
             w.setBackColor(QBColor(15));
             w.Cls();
             w.DrawWidth = 1;
             w.Line(S(250), S(0), S(250), S(175));
             w.LineTo(S(300), S(175));
             w.LineTo(S(300), S(0));
         },
         matter::klass::animations::Ruler},
        {"orbits (2.8)",
         [](frmMaterial& w) {
             w.setBackColor(QBColor(15));
             w.Cls();
         },
         matter::klass::animations::Orbits},
        {"box zoom (2.10)",
         [](frmMaterial& w) {
             w.setBackColor(QBColor(15));
             w.Cls();
             w.FillStyle = FillStyles::Transparent;
             w.DrawWidth = 5;
         },
         matter::klass::animations::BoxZoom},
        {"explosion (2.21)",
         [](frmMaterial& w) {
             w.setBackColor(QBColor(0));
             w.Cls();
             w.FillStyle = FillStyles::Transparent;
             w.DrawWidth = 2;
         },
         matter::klass::animations::Explosion},
    };

    const float scaleBefore = gScale;
    const QString appPathBefore = gAppPath;
    gScale = 1.5f;
    gAppPath = appPathFor(QCoreApplication::applicationDirPath());
    // The cues are recorded, not played: a machine without sound would otherwise time
    // its audio warnings.
    auto soundBefore = setSoundBackend(std::make_unique<RecordingSoundBackend>());
    frmMaterial& w = form<frmMaterial>();
    w.Show();
    w.picMenu->hide();

    std::printf("\nMatter animations at gScale 1.5: real time against the sum of their nominal waits\n");
    std::printf("%-18s %10s %10s %10s\n", "animation", "nominal ms", "real ms", "extra %");
    for (const Animation& a : animations) {
        auto realClock = setClock(std::make_unique<VirtualClock>());
        a.prepare(w);
        const qint64 v0 = appClock().msNow();
        w.run([&] {
            Page p(w);
            a.play(p);
        });
        const qint64 nominal = appClock().msNow() - v0;
        setClock(std::move(realClock));

        a.prepare(w);
        QElapsedTimer real;
        real.start();
        w.run([&] {
            Page p(w);
            a.play(p);
        });
        const double realMs = real.nsecsElapsed() / 1e6;
        std::printf("%-18s %10lld %10.1f %10.1f\n", a.name, static_cast<long long>(nominal), realMs,
                    nominal > 0 ? 100.0 * (realMs - double(nominal)) / double(nominal) : 0.0);
    }
    // Not unloaded: that would show the start window and play its opening. Nothing of the
    // window runs any more, so it can go at once.
    w.hide();
    delete &w;
    setSoundBackend(std::move(soundBefore));
    gScale = scaleBefore;
    gAppPath = appPathBefore;
}
