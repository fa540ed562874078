// The introduction to light, played in the real light window on the virtual clock: the
// region fills of the sunrise and the storm, the sound cues, the fresh star field on a
// second visit, and the hand-over into geometric optics.

#include "lesson/frmLight.h"
#include "player/Random.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

#include <QDir>
#include <QtTest>
#include <cmath>

namespace {

// The colour at a logical point, rounded to the device pixel as the lesson rounds it.
QRgb at(frmLight& w, double x, double y) {
    return w.image().pixel(int(std::nearbyint(S(x))), int(std::nearbyint(S(y)))) | 0xff000000;
}

// With ORVANTH_SHOTS set to a folder, every step played is saved there for a look.
void shot(frmLight& w, const QString& name) {
    const QString dir = qEnvironmentVariable("ORVANTH_SHOTS");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    w.grab().save(QStringLiteral("%1/intro-%2-%3.png").arg(dir, QString::number(gScale), name));
}

frmLight& startIntro(float scale) {
    harness::setUp(scale);
    SeedRandom(1);
    gCourseName = QStringLiteral("光とは");
    frmLight& w = form<frmLight>();
    w.cmdMenu[1]->click();
    return w;
}

void nextTo(frmLight& w, int step) {
    while (gSection == 1 && gStep < step)
        w.cmdNext->click();
}

// Whether any pixel of a device rectangle has the colour.
bool contains(frmLight& w, const QRect& r, QRgb colour) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((w.image().pixel(x, y) | 0xff000000) == colour) return true;
    return false;
}

bool allEnabled(frmLight& w) {
    return w.cmdNext->isEnabled() && w.cmdReturn->isEnabled() && w.cmdReturn1->isEnabled() &&
           w.cmdExit->isEnabled();
}

// One data row per display scale.
void scaleRows(std::initializer_list<float> scales) {
    QTest::addColumn<float>("scale");
    for (float s : scales)
        QTest::newRow(QByteArray::number(s).constData()) << s;
}

} // namespace

class LightIntroTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { harness::closeAllWindows(); }

    void playsEveryStep_data() { scaleRows({1.0f, 1.5f}); }
    void playsEveryStep() {
        QFETCH(float, scale);
        frmLight& w = startIntro(scale);
        QCOMPARE(w.windowTitle(), QStringLiteral("光とは - 導入"));
        for (int step = 0; step <= 11; ++step) {
            if (step > 0) w.cmdNext->click();
            QCOMPARE(gSection, std::int16_t(1));
            QCOMPARE(gStep, std::int16_t(step));
            QVERIFY(allEnabled(w));
            QVERIFY(!w.picMenu->isVisible());
            shot(w, QString::number(step));
        }
        // The closing page is printed in white, as every caption after the storm.
        QVERIFY(contains(w, QRect(int(S(18)), int(S(10)), 300, 25), QBColor(15)));
        // The title page: yellow letters on black.
        w.cmdReturn->click();
        QCOMPARE(gStep, std::int16_t(0));
        QVERIFY(contains(w, QRect(int(S(220)), int(S(150)), int(S(200)), 40), QBColor(14)));
    }

    // The five rays are filled inside their outlines and nowhere else.
    void sunRays_data() {
        QTest::addColumn<float>("scale");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<int>("colour");
        for (float scale : {1.0f, 1.5f}) {
            const QByteArray s = QByteArray::number(scale);
            auto row = [&](const char* what, QPointF p, int colour) {
                QTest::newRow(s + " " + what) << scale << p << colour;
            };
            row("ray 1 seed", {10, 220}, 14);
            row("ray 1 inside", {60, 242}, 14);
            row("ray 1 outside", {60, 226}, 12);
            row("ray 1 magenta dot", {10, 250}, 13);
            row("ray 2 inside", {50, 80}, 14);
            row("ray 2 outside", {40, 80}, 0);
            row("ray 3 inside", {165, 150}, 14);
            row("ray 3 outside", {180, 150}, 5);
            row("ray 4 inside", {340, 100}, 14);
            row("ray 4 outside", {300, 100}, 0);
            row("ray 5 seed", {600, 170}, 14);
            row("ray 5 outside", {600, 200}, 5);
            row("sky between rays", {320, 60}, 0);
            row("sun", {150, 290}, 12);
            row("ground", {320, 350}, 4);
        }
    }
    void sunRays() {
        QFETCH(float, scale);
        QFETCH(QPointF, point);
        QFETCH(int, colour);
        frmLight& w = startIntro(scale);
        nextTo(w, 5);
        QCOMPARE(at(w, point.x(), point.y()), QBColor(colour));
    }

    // The storm turns the cloud grey and everything around it black; the third bolt is
    // a filled shape. The thunder sounds 0.8 s after its device was opened.
    void storm_data() { scaleRows({1.0f, 1.5f}); }
    void storm() {
        QFETCH(float, scale);
        frmLight& w = startIntro(scale);
        nextTo(w, 7);
        const qint64 before = harness::clock().msNow();
        const int cuesBefore = int(harness::sounds().cues.size());
        w.cmdNext->click();
        for (QPointF p : {QPointF(530, 50), QPointF(420, 60), QPointF(450, 0)})
            QCOMPARE(at(w, p.x(), p.y()), QBColor(7));
        for (QPointF p : {QPointF(10, 10), QPointF(620, 200), QPointF(100, 280), QPointF(600, 390)})
            QCOMPARE(at(w, p.x(), p.y()), QBColor(0));
        for (QPointF p : {QPointF(400, 280), QPointF(420, 290)})
            QCOMPARE(at(w, p.x(), p.y()), QBColor(14));
        QCOMPARE(harness::sounds().cues.size(), cuesBefore + 1);
        const auto& thunder = harness::sounds().cues.last();
        QCOMPARE(thunder.file, QStringLiteral("雷1.wav"));
        QVERIFY(thunder.atMs - before >= 800);
        QCOMPARE(thunder.atMs, harness::clock().msNow()); // the step ends with the thunder

        // The downpour starts with its sound, then draws its streaks.
        const qint64 rainStart = harness::clock().msNow();
        w.cmdNext->click();
        QCOMPARE(harness::sounds().files().last(), QStringLiteral("Rain02.wav"));
        QCOMPARE(harness::sounds().cues.last().atMs, rainStart);
        QVERIFY(harness::clock().msNow() - rainStart >= 300 * 20); // each streak waits 20 ms
    }

    // Back one from daybreak draws the dawn scene again with a new star field.
    void dawnAgainHasNewStars() {
        frmLight& w = startIntro(1.0f);
        nextTo(w, 3);
        const QImage first = w.image().copy(0, 0, 480, 120);
        QCOMPARE(at(w, 500, 40), QBColor(14)); // the moon
        w.cmdNext->click();
        w.cmdReturn1->click();
        QCOMPARE(gStep, std::int16_t(3));
        QCOMPARE(at(w, 500, 40), QBColor(14));
        QVERIFY(w.image().copy(0, 0, 480, 120) != first);
    }

    // From the start the course goes on into geometric optics, with its title card and
    // a caption built with six blanks.
    void chainsIntoGeometricOptics() {
        frmLight& w = startIntro(1.5f);
        nextTo(w, 11);
        const qint64 before = harness::clock().msNow();
        w.cmdNext->click();
        QVERIFY(harness::clock().msNow() - before >= 1500); // the title card
        QCOMPARE(w.Tag, QStringLiteral("幾何光学"));
        QCOMPARE(w.windowTitle(), QStringLiteral("光とは      幾何光学"));
        QCOMPARE(gSection, std::int16_t(1));
        QCOMPARE(gStep, std::int16_t(0));
        QVERIFY(allEnabled(w));
        w.cmdNext->click(); // the next click reaches geometric optics through the tag
        QCOMPARE(gSection, std::int16_t(1));
        QCOMPARE(gStep, std::int16_t(1));
        QCOMPARE(w.windowTitle(), QStringLiteral("光とは      幾何光学"));
    }

    void lastStepOutsideWholeCourseShowsMenu() {
        frmLight& w = startIntro(1.0f);
        nextTo(w, 11);
        gMenuItem = 3;
        gStep = 12;
        w.run([&] { w.Intro(); });
        QVERIFY(w.picMenu->isVisible());
        QCOMPARE(w.Tag, QStringLiteral("導入"));
        QCOMPARE(gSection, std::int16_t(1));
    }
};

QTEST_MAIN(LightIntroTest)
#include "test_light_intro.moc"
