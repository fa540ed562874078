#include "tests/support/LessonTest.h"

#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "player/Canvas.h"
#include "player/globals.h"

#include <QtTest>
#include <cmath>

namespace lessontest {

void scaleRows() {
    QTest::addColumn<float>("scale");
    QTest::newRow("1") << 1.0f;
    QTest::newRow("1.5") << 1.5f;
}

QRgb probe(const QImage& img, double x, double y) {
    return img.pixel(int(std::nearbyint(S(x))), int(std::nearbyint(S(y)))) | 0xff000000u;
}

QRgb probe(const Canvas& c, double x, double y) {
    return probe(c.image(), x, y);
}

int count(const QImage& img, const QRect& area, QRgb colour) {
    const QRect r = area & img.rect();
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (img.pixel(x, y) | 0xff000000) == colour;
    return n;
}

QRect logical(double x1, double y1, double x2, double y2) {
    return QRect(QPoint(int(x1 * gScale), int(y1 * gScale)), QPoint(int(x2 * gScale), int(y2 * gScale)));
}

int menuItemOf(const course::Course& c, const QString& procedure) {
    for (int i = 2; i <= 5; ++i)
        if (c.item(i).procedure && procedure == QLatin1String(c.item(i).procedure->name)) return i;
    if (procedure == QLatin1String(c.item(1).procedure->name)) return 1;
    return 0;
}

namespace {
template <class W> W& start(const course::Course& c, int item) {
    gCourseName = QString::fromUtf8(c.caption);
    W& w = form<W>();
    w.cmdMenu[item]->click();
    return w;
}
} // namespace

frmLight& startLight(int item) {
    return start<frmLight>(course::light(), item);
}

frmMaterial& startMatter(int item) {
    return start<frmMaterial>(course::matter(), item);
}

bool stepTo(driver::Learner& learner, driver::Course course, const QString& procedure, int section,
            int step) {
    const int item =
        menuItemOf(course == driver::Course::Light ? course::light() : course::matter(), procedure);
    if (item == 0) return false;
    learner.openCourse(course);
    learner.chooseItem(item);
    for (int guard = 0; guard < 400; ++guard) {
        LessonWindow* w = learner.window();
        if (!w || learner.failed() || driver::procedureOf(*w) != procedure) return false;
        if (gSection == section && gStep == step) return true;
        if (!w->cmdNext->isEnabled()) return false;
        learner.next();
    }
    return false;
}

} // namespace lessontest
