// The quantum interpretation played in the real light window on the virtual clock: the
// black-body curves against Planck's law, the sprites that move by fractions of a pixel,
// the photographic plate's grains on the roads through its pages, the end of the item,
// and the close box in the middle of the animations.

#include "app/frmStart.h"
#include "driver/Learner.h"
#include "lesson/frmLight.h"
#include "player/globals.h"
#include "tests/support/Harness.h"
#include "tests/support/LessonTest.h"

#include <QtTest>
#include <cmath>

using driver::Course;

namespace {

// The top of one curve: the lowest y the curve reaches and the middle of the columns
// where it reaches it, in logical units.
struct Peak {
    double x = -1;
    double y = 1e9;
};

// Where Wien's displacement law puts the peak of the curve at temperature T on the
// graph's wavelength axis: λmax = 2.898e-3 m K / T, on the axis through 400 nm at x 375
// and 700 nm at x 460.
double wienX(double T) {
    return 375 + (2.8978e6 / T - 400) * 85 / 300;
}

// The same, measured: the topmost pixel of the colour in every column right of the axis.
Peak drawnPeak(const QImage& img, QRgb colour) {
    Peak best;
    double first = -1, last = -1;
    const int left = int(std::ceil(301 * gScale)), right = int(600 * gScale);
    for (int px = left; px <= right; ++px)
        for (int py = 0; py < int(281 * gScale); ++py) {
            if ((img.pixel(px, py) | 0xff000000u) != colour) continue;
            const double y = py / gScale;
            if (y < best.y - 1e-9) {
                best.y = y;
                first = last = px / gScale;
            } else if (std::abs(y - best.y) < 1e-9) {
                last = px / gScale;
            }
            break;
        }
    best.x = (first + last) / 2;
    return best;
}

// Whether a pixel of the colour lies within a pixel of the logical point (dots at half
// pixels round either way).
bool near(const LessonWindow& w, double x, double y, QRgb colour) {
    const int cx = int(std::lround(x * gScale)), cy = int(std::lround(y * gScale));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if ((w.image().pixel(cx + dx, cy + dy) | 0xff000000u) == colour) return true;
    return false;
}

// The plate under the bell, as the learner sees it.
QImage plate(LessonWindow& w) {
    return w.image().copy(
        QRect(QPoint(int(428 * gScale), int(148 * gScale)), QPoint(int(572 * gScale), int(302 * gScale))));
}

} // namespace

class TestLightQuantum : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { driver::Learner::closeAll(); }

    // Seven curves with a colour of their own (the eighth repeats the first's colour below
    // it): each peaks at the wavelength Wien's law gives, the 6000 K one inside the drawn
    // visible band and near the top of the graph, and the hotter the body, the shorter the
    // wavelength of its peak. The ticks stand at 400 nm, 700 nm and 1 μm.
    void blackBodyPeaksMoveToShorterWavelengths_data() { lessontest::scaleRows(); }
    void blackBodyPeaksMoveToShorterWavelengths() {
        QFETCH(float, scale);
        harness::setUp(scale);
        driver::Learner learner;
        for (int step : {5, 6}) {
            QVERIFY2(lessontest::stepTo(learner, Course::Light, QStringLiteral("Quantum"), 1, step),
                     qPrintable(learner.failure()));
            const QImage img = learner.window()->image();
            double previousX = 0;
            for (int j = 0; j < 7; ++j) {
                const double T = 6000 - 500 * j;
                const Peak drawn = drawnPeak(img, QBColor(7 - j));
                const QString where = QStringLiteral("step %1, T = %2 K: drawn (%3, %4), Wien x %5")
                                          .arg(step)
                                          .arg(T)
                                          .arg(drawn.x)
                                          .arg(drawn.y)
                                          .arg(wienX(T));
                QVERIFY2(std::abs(drawn.x - wienX(T)) <= 2.5, qPrintable(where));
                QVERIFY2(drawn.x > previousX, qPrintable(where)); // cooler: further right
                previousX = drawn.x;
                if (j == 0) {
                    QVERIFY2(drawn.x > 375 && drawn.x < 460, qPrintable(where)); // in the band
                    QVERIFY2(drawn.y >= 10 && drawn.y <= 30, qPrintable(where)); // on the page
                }
            }
            // The band's edges and the ticks at their wavelengths.
            QVERIFY(near(*learner.window(), 375, 200, QBColor(13)));
            QVERIFY(near(*learner.window(), 460, 200, QBColor(12)));
            for (double x : {375.0, 460.0, 545.0})
                QVERIFY2(near(*learner.window(), x, 284, QBColor(15)),
                         qPrintable(QStringLiteral("tick at %1").arg(x)));
        }
    }

    // The diffraction image is a single slit's (sin β / β)^2, β = πx/25: its first side
    // fringes stand where the derivative vanishes, tan β = β (β = 1.4303π, x = ±35.76),
    // 4.72 % as high as the middle; the plate's grains fall with that density, 93 % of them
    // within the central fringe (a few less as pixels, where they overlap) and some outside.
    void dualityFringes_data() { lessontest::scaleRows(); }
    void dualityFringes() {
        QFETCH(float, scale);
        harness::setUp(scale);
        driver::Learner learner;
        QVERIFY2(lessontest::stepTo(learner, Course::Light, QStringLiteral("Quantum"), 4, 2),
                 qPrintable(learner.failure()));
        const QImage img = learner.window()->image();
        double beta = 1.43 * M_PI; // Newton's method on tan β = β near the first side maximum
        for (int k = 0; k < 20; ++k)
            beta -= (std::tan(beta) - beta) / (1 / std::pow(std::cos(beta), 2) - 1);
        const double sideX = 25 * beta / M_PI, sideHeight = 150 * std::pow(std::sin(beta) / beta, 2);
        for (int side : {-1, 1}) {
            // The topmost white pixel between the first and second dark fringes.
            double topY = 1e9, first = -1, last = -1;
            for (int px = int(std::ceil((500 + side * 26.0) * gScale));
                 px != int((500 + side * 49.0) * gScale); px += side)
                for (int py = int(130 * gScale); py <= int(149 * gScale); ++py) {
                    if ((img.pixel(px, py) | 0xff000000u) != QBColor(15)) continue;
                    if (py / gScale < topY - 1e-9) {
                        topY = py / gScale;
                        first = last = px / gScale;
                    } else if (std::abs(py / gScale - topY) < 1e-9) {
                        last = px / gScale;
                    }
                    break;
                }
            const double x = (first + last) / 2;
            const QString where = QStringLiteral("side fringe at (%1, %2), expected (%3, %4)")
                                      .arg(x)
                                      .arg(topY)
                                      .arg(500 + side * sideX)
                                      .arg(150 - sideHeight);
            QVERIFY2(std::abs(x - (500 + side * sideX)) <= 1.5, qPrintable(where));
            QVERIFY2(std::abs(topY - (150 - sideHeight)) <= 1.5, qPrintable(where));
        }
        const QRgb white = QBColor(15);
        const int centre = lessontest::count(img, lessontest::logical(475, 152, 525, 300), white);
        const int all = lessontest::count(img, lessontest::logical(428, 152, 572, 300), white);
        QVERIFY2(
            all > 0 && double(centre) / all > 0.8 && double(centre) / all < 0.97 && all - centre > 0,
            qPrintable(QStringLiteral("%1 of %2 grain pixels in the central fringe").arg(centre).arg(all)));
    }

    // The photon lands on the body at (462, 192) and the electron leaves it 991 tenths of a
    // unit up and to the right, at every scale, though each frame moves it less than a
    // pixel; the screen shows the nearest pixel. Afterwards both are hidden and empty.
    void electronReachesItsEnd_data() { lessontest::scaleRows(); }
    void electronReachesItsEnd() {
        QFETCH(float, scale);
        harness::setUp(scale);
        driver::Learner learner;
        for (int step : {1, 2}) {
            QVERIFY2(lessontest::stepTo(learner, Course::Light, QStringLiteral("Quantum"), 3, step),
                     qPrintable(learner.failure()));
            frmLight& w = static_cast<frmLight&>(*learner.window());
            const QPointF photon = w.Image1->position() / scale, electron = w.Image2->position() / scale;
            QVERIFY2(std::abs(photon.x() - 462) < 1e-3 && std::abs(photon.y() - 192) < 1e-3,
                     qPrintable(QStringLiteral("photon at (%1, %2)").arg(photon.x()).arg(photon.y())));
            QVERIFY2(std::abs(electron.x() - 561.1) < 1e-3 && std::abs(electron.y() - 92.9) < 1e-3,
                     qPrintable(QStringLiteral("electron at (%1, %2)").arg(electron.x()).arg(electron.y())));
            QCOMPARE(w.Image2->pos(), QPoint(qRound(561.1 * scale), qRound(92.9 * scale)));
            QVERIFY(!w.Image1->isVisible());
            QVERIFY(!w.Image2->isVisible());
            QVERIFY(w.Image2->picture().isNull());
            QCOMPARE(lessontest::probe(w, 475, 210), QBColor(3)); // the body stays
        }
    }

    // The Compton sprites move one unit of the 640 x 400 system at a time and read their
    // place back in it: the collision ends with the photon at (650, 55), past the right
    // edge, and the electron at (475, 235), both shown, the label at its new place.
    void comptonSpritesEndWhereTheyShould_data() { lessontest::scaleRows(); }
    void comptonSpritesEndWhereTheyShould() {
        QFETCH(float, scale);
        harness::setUp(scale);
        driver::Learner learner;
        QVERIFY2(lessontest::stepTo(learner, Course::Light, QStringLiteral("Quantum"), 2, 2),
                 qPrintable(learner.failure()));
        frmLight& w = static_cast<frmLight&>(*learner.window());
        const QPointF photon = w.Image1->position() / scale, electron = w.Image2->position() / scale;
        QVERIFY2(std::abs(photon.x() - 650) < 1e-3 && std::abs(photon.y() - 55) < 1e-3,
                 qPrintable(QStringLiteral("photon at (%1, %2)").arg(photon.x()).arg(photon.y())));
        QVERIFY2(std::abs(electron.x() - 475) < 1e-3 && std::abs(electron.y() - 235) < 1e-3,
                 qPrintable(QStringLiteral("electron at (%1, %2)").arg(electron.x()).arg(electron.y())));
        QVERIFY(w.Image1->isVisible() && w.Image2->isVisible());
        QVERIFY(near(w, 296, 201, QBColor(14))); // the end of the incoming track
        learner.next();                          // the diagram: no sprites
        QVERIFY(!w.Image1->isVisible() && !w.Image2->isVisible());
        QVERIFY(near(w, 495, 120, QBColor(14))); // the photon's track ends
        QVERIFY(near(w, 495, 321, QBColor(9)));  // and the electron's
    }

    // The plate keeps its grains when the learner comes back to it with Back one from the
    // next page, and shows new ones when the page is entered from the one before it,
    // whether after Back one or after Back to the start of the section.
    void plateGrains_data() { lessontest::scaleRows(); }
    void plateGrains() {
        QFETCH(float, scale);
        harness::setUp(scale);
        driver::Learner learner;
        QVERIFY2(lessontest::stepTo(learner, Course::Light, QStringLiteral("Quantum"), 4, 2),
                 qPrintable(learner.failure()));
        LessonWindow& w = *learner.window();
        const QImage first = plate(w);
        learner.next();
        QCOMPARE(int(gStep), 3);
        QVERIFY2(plate(w) == first, "step 3 shows the grains of step 2");
        learner.backOne();
        QCOMPARE(int(gStep), 2);
        QVERIFY2(plate(w) == first, "Back one keeps the grains");
        learner.backOne();
        learner.next();
        QCOMPARE(int(gStep), 2);
        const QImage second = plate(w);
        QVERIFY2(second != first, "from step 1 the plate is new");
        learner.next();
        learner.back();
        QCOMPARE(int(gSection), 4);
        QCOMPARE(int(gStep), 0);
        learner.next();
        learner.next();
        QCOMPARE(int(gStep), 2);
        QVERIFY2(plate(w) != second && plate(w) != first, "after Back the plate is new");
    }

    // Chosen from the menu the item ends at section 5 step 10 with the menu and only the
    // exit button.
    void endsAtTheMenu() {
        harness::setUp(1.0f);
        driver::Learner learner;
        QVERIFY2(lessontest::stepTo(learner, Course::Light, QStringLiteral("Quantum"), 5, 9),
                 qPrintable(learner.failure()));
        LessonWindow& w = *learner.window();
        learner.next();
        QCOMPARE(int(gSection), 5);
        QCOMPARE(int(gStep), 10);
        QVERIFY(w.picMenu->isVisible());
        QVERIFY(!w.Picture1->isVisible());
        QVERIFY(w.cmdExit->isEnabled());
        QVERIFY(!w.cmdNext->isEnabled() && !w.cmdReturn->isEnabled() && !w.cmdReturn1->isEnabled());
    }

    // The close box in the middle of an animation: the start window comes back and nothing
    // is left waiting.
    void closeBoxDuringAnimation_data() {
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("ms");
        QTest::newRow("black-body curves") << 1 << 5 << 3000;
        QTest::newRow("photon landing") << 3 << 1 << 500;
        QTest::newRow("between the two emissions") << 3 << 1 << 2312;
        QTest::newRow("second electron") << 3 << 1 << 3500;
        QTest::newRow("diffraction curve") << 4 << 1 << 60;
        QTest::newRow("plate") << 4 << 2 << 200;
    }
    void closeBoxDuringAnimation() {
        QFETCH(int, section);
        QFETCH(int, step);
        QFETCH(int, ms);
        harness::setUp(1.5f);
        driver::Learner learner;
        QVERIFY2(lessontest::stepTo(learner, Course::Light, QStringLiteral("Quantum"), section, step - 1),
                 qPrintable(learner.failure()));
        learner.closeBoxAfter(ms);
        learner.next();
        harness::flush();
        QVERIFY(!loadedForm<frmLight>());
        QVERIFY(form<frmStart>().isVisible());
        QVERIFY(!harness::clock().hasPending());
    }
};

QTEST_MAIN(TestLightQuantum)
#include "test_light_quantum.moc"
