// The lesson windows the pacing rows play in, and rows that play a step through the
// lesson layer or one figure of a lesson on its own.

#include "bench/pacing.h"
#include "lesson/Course.h"
#include "lesson/Page.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "player/globals.h"

namespace pacing {

namespace {

template <class W> W& shown(const char* courseName) {
    gCourseName = QString::fromUtf8(courseName);
    W& w = form<W>();
    if (!w.isVisible()) w.Show();
    w.picMenu->hide();
    return w;
}

// Not unloaded: that would show the start window and play its opening. Nothing of the
// windows runs any more once the rows are done, so they can go at once.
void finishAll() {
    if (frmLight* w = loadedForm<frmLight>()) w->hide();
    if (frmMaterial* w = loadedForm<frmMaterial>()) {
        w->hide();
        delete w;
    }
}

} // namespace

LessonWindow& lightWindow() {
    return shown<frmLight>("光とは");
}

LessonWindow& matterWindow() {
    return shown<frmMaterial>("物質");
}

Row lessonStep(const char* name, double nominalMs, LessonWindow& (*window)(), const char* procedure,
               int section, int step, std::function<void(LessonWindow&)> before) {
    Row r;
    r.name = QString::fromUtf8(name);
    r.nominalMs = nominalMs;
    r.prepare = [window, before] {
        LessonWindow& w = window();
        if (before) before(w);
    };
    r.play = [window, procedure, section, step] {
        LessonWindow& w = window();
        const lesson::Procedure* proc = w.courseDecl().procedure(QString::fromUtf8(procedure));
        if (!proc) return;
        // Not the whole course: a closing step would not chain into the next item.
        gMenuItem = 2;
        gSection = std::int16_t(section);
        gStep = std::int16_t(step);
        w.run([&] { w.play(*proc); });
    };
    r.finish = finishAll;
    return r;
}

Row figure(const char* name, double nominalMs, LessonWindow& (*window)(), std::function<void(Page&)> before,
           std::function<void(Page&)> draw) {
    Row r;
    r.name = QString::fromUtf8(name);
    r.nominalMs = nominalMs;
    r.prepare = [window, before] {
        LessonWindow& w = window();
        if (!before) return;
        w.run([&] {
            Page p(w);
            before(p);
        });
    };
    r.play = [window, draw] {
        LessonWindow& w = window();
        w.run([&] {
            Page p(w);
            draw(p);
        });
    };
    r.finish = finishAll;
    return r;
}

} // namespace pacing
