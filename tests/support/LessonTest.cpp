#include "tests/support/LessonTest.h"

#include "app/globals.h"
#include "player/Canvas.h"

#include <QtTest>
#include <cmath>

namespace lessontest {

void scaleRows() {
    QTest::addColumn<float>("scale");
    QTest::newRow("1") << 1.0f;
    QTest::newRow("1.5") << 1.5f;
}

QRgb probe(const Canvas& c, double x, double y) {
    return c.image().pixel(int(std::nearbyint(S(x))), int(std::nearbyint(S(y)))) | 0xff000000u;
}

int menuItemOf(const course::Course& c, const QString& procedure) {
    for (int i = 2; i <= 5; ++i)
        if (c.item(i).action != course::MenuAction::Viewer && procedure == QLatin1String(c.item(i).procedure))
            return i;
    if (procedure == QLatin1String(c.item(1).procedure)) return 1;
    return 0;
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
