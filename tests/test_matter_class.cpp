// The hierarchy-of-matter item, sections 1 and 2, played through the real matter window
// with its real answer dialog on the virtual clock.

#include "dialogs/frmInputMaterial.h"
#include "lesson/Page.h"
#include "lesson/frmMaterial.h"
#include "matter/figures.h"
#include "player/Prompts.h"
#include "player/Random.h"
#include "player/globals.h"
#include "tests/support/Harness.h"
#include "tests/support/LessonTest.h"
#include "tests/support/Replies.h"

#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QtTest>
#include <cmath>

namespace {

bool same(QRgb a, QRgb b) {
    return (a & 0xffffff) == (b & 0xffffff);
}

int countColour(const QImage& img, const QRect& area, QRgb colour) {
    int n = 0;
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += same(img.pixel(x, y), colour);
    return n;
}

// A rectangle of the 640 x 400 system in device pixels.
QRect scaled(double x1, double y1, double x2, double y2) {
    return QRect(QPoint(int(std::lround(S(x1))), int(std::lround(S(y1)))),
                 QPoint(int(std::lround(S(x2))), int(std::lround(S(y2)))));
}
QPoint scaled(double x, double y) {
    return {int(std::lround(S(x))), int(std::lround(S(y)))};
}

// The learner at the answer dialog: types the answer into the box, which moves the focus
// to OK, and presses Enter there; the answers come from the script, then the registry.
struct Learner : lessontest::Replies {
    QList<bool> nextWasEnabled; // whether Next could be pressed while each dialog was open
    frmMaterial* window = nullptr;
    Learner() {
        enterKey = true;
        whileOpen = [this](QDialog&) { nextWasEnabled << (window && window->cmdNext->isEnabled()); };
    }
};

frmMaterial& startItem(Learner& learner, float scale, int menuButton = 2) {
    harness::setUp(scale); // also forgets any earlier modal hook
    learner.install();
    frmMaterial& w = form<frmMaterial>();
    learner.window = &w;
    return lessontest::startMatter(menuButton);
}

// Puts the counters on (section, step - 1) and presses Next: the step is drawn as if
// reached forwards, without playing everything before it.
void jumpTo(frmMaterial& w, int section, int step) {
    gSection = std::int16_t(section);
    gStep = std::int16_t(step - 1);
    w.cmdNext->click();
    QCOMPARE(gSection, std::int16_t(section));
    QCOMPARE(gStep, std::int16_t(step));
}

// Virtual milliseconds a click takes.
qint64 timed(QPushButton* button) {
    const qint64 t0 = harness::clock().msNow();
    button->click();
    return harness::clock().msNow() - t0;
}

// Presses Next until the counters read (section, step).
void nextUntil(frmMaterial& w, int section, int step) {
    for (int guard = 0; guard < 100 && !(gSection == section && gStep == step); ++guard) {
        QVERIFY(w.cmdNext->isEnabled());
        w.cmdNext->click();
    }
    QCOMPARE(gSection, std::int16_t(section));
    QCOMPARE(gStep, std::int16_t(step));
}

QStringList lastCues(int n) {
    return harness::sounds().files().mid(std::max<qsizetype>(0, harness::sounds().files().size() - n));
}

} // namespace

class TestMatterClass : public QObject {
    Q_OBJECT
    Learner learner;

private slots:
    void init() {
        learner.reset();
        learner.nextWasEnabled.clear();
    }
    void cleanup() {
        setModalHook(nullptr);
        harness::closeAllWindows();
    }

    // The liquids fill their cups up to the surface and go nowhere else.
    void cupLiquidsStayInTheirCups_data() {
        QTest::addColumn<float>("scale");
        QTest::newRow("1") << 1.0f;
        QTest::newRow("1.5") << 1.5f;
    }
    void cupLiquidsStayInTheirCups() {
        QFETCH(float, scale);
        frmMaterial& w = startItem(learner, scale);
        nextUntil(w, 1, 1);
        const QImage& img = w.image();
        const QRgb blue = QBColor(1), red = QBColor(12);

        // Below the surface every pixel is liquid; above it the cup is empty.
        const QRect blueLiquid = scaled(302, 152, 398, 198);
        QCOMPARE(countColour(img, blueLiquid, blue), blueLiquid.width() * blueLiquid.height());
        QVERIFY(same(img.pixel(scaled(350, 215)), blue));
        QVERIFY(same(img.pixel(scaled(350, 125)), QBColor(15)));
        const QRect redLiquid = scaled(452, 162, 568, 198);
        QCOMPARE(countColour(img, redLiquid, red), redLiquid.width() * redLiquid.height());
        QVERIFY(same(img.pixel(scaled(510, 215)), red));
        QVERIFY(same(img.pixel(scaled(510, 130)), QBColor(15)));

        // Nothing blue or red outside the cups.
        const QRect cup1 = scaled(300, 100, 400, 220).adjusted(-2, -2, 2, 2);
        const QRect cup2 = scaled(450, 100, 570, 220).adjusted(-2, -2, 2, 2);
        QCOMPARE(countColour(img, img.rect(), blue), countColour(img, cup1, blue));
        QCOMPARE(countColour(img, img.rect(), red), countColour(img, cup2, red));
        // The vessels stay empty.
        QVERIFY(same(img.pixel(scaled(100, 180)), QBColor(15)));
    }

    // Question 1 about the cups answered "1", then "2": the verdicts are printed on one
    // spot at (300 x gScale, 400), with the wrong cue and then the right one; the wrong
    // one is printed over in the background before the right one comes.
    void cupQuestionWrongThenRight_data() {
        QTest::addColumn<float>("scale");
        QTest::newRow("1") << 1.0f;
        QTest::newRow("1.5") << 1.5f;
    }
    void cupQuestionWrongThenRight() {
        QFETCH(float, scale);
        frmMaterial& w = startItem(learner, scale);
        nextUntil(w, 1, 1);
        learner.given = {QStringLiteral("1")};
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(2));
        QCOMPARE(learner.questions, (QList<int>{1, 1}));
        QCOMPARE(lastCues(2), (QStringList{QStringLiteral("Doing.wav"), QStringLiteral("Applause.wav")}));
        QVERIFY(w.cmdNext->isEnabled());
        if (scale > 1) {
            // At 1.5 the line lies inside the canvas: green alone.
            const QRect verdict(int(S(300)), 400, 160, 30);
            QCOMPARE(countColour(w.image(), verdict, QBColor(4)), 0);
            QVERIFY(countColour(w.image(), verdict, QBColor(2)) > 0);
        }
    }

    // Step 12 asks questions 5 and 6 in a row and ends only when both are right; Next
    // stays locked while either dialog is open.
    void nucleusQuestionsBothNeeded() {
        frmMaterial& w = startItem(learner, 1.0f);
        nextUntil(w, 2, 11);
        learner.questions.clear();
        learner.nextWasEnabled.clear();
        const int cuesBefore = int(harness::sounds().files().size());
        // Question 5 wrong once, then right; question 6 wrong twice, then right.
        learner.given = {"2", "1", "1", "3", "4"};
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(12));
        QCOMPARE(learner.questions, (QList<int>{5, 5, 6, 6, 6}));
        QVERIFY(!learner.nextWasEnabled.contains(true));
        QCOMPARE(harness::sounds().files().mid(cuesBefore),
                 (QStringList{QStringLiteral("Doing.wav"), QStringLiteral("Applause.wav"),
                              QStringLiteral("Doing.wav"), QStringLiteral("Doing.wav"),
                              QStringLiteral("Applause.wav")}));
        QVERIFY(w.cmdNext->isEnabled());
    }

    // Back one from the molecule question plays the zoom of step 4 again before the
    // molecule: 52 frames of one tick and a 30 ms sleep, each a coloured disc.
    void backOneReplaysTheZoom() {
        frmMaterial& w = startItem(learner, 1.5f);
        nextUntil(w, 2, 5);
        const qint64 t0 = harness::clock().msNow();
        QRgb during = 0;
        harness::clock().at(t0 + 100, [&] { during = w.image().pixel(scaled(320, 200)); });
        w.cmdReturn1->click();
        QCOMPARE(gSection, std::int16_t(2));
        QCOMPARE(gStep, std::int16_t(4));
        QVERIFY(harness::clock().msNow() - t0 >= 52 * 31);
        QVERIFY(!same(during, QBColor(15)) && during != 0);
        // Then the molecule, on white, with its photograph.
        QVERIFY(same(w.image().pixel(scaled(165, 190)), QBColor(9)));
        QVERIFY(same(w.image().pixel(scaled(110, 132)), QBColor(12)));
        QVERIFY(same(w.backColor(), QBColor(15)));
        QVERIFY(w.Picture1->isVisible());
        QVERIFY(w.cmdNext->isEnabled());
    }

    // Every step of sections 1 and 2, in order, ends with the buttons enabled; the
    // closing steps move on to the next section. Set MATTER_SHOTS to a folder to keep a
    // picture of every step.
    void walkThrough_data() {
        QTest::addColumn<float>("scale");
        QTest::newRow("1") << 1.0f;
        QTest::newRow("1.5") << 1.5f;
    }
    void walkThrough() {
        QFETCH(float, scale);
        const QString shots = qEnvironmentVariable("MATTER_SHOTS");
        if (!shots.isEmpty()) QDir().mkpath(shots);
        frmMaterial& w = startItem(learner, scale);
        auto shoot = [&] {
            if (!shots.isEmpty())
                w.grab().save(QStringLiteral("%1/%2-s%3-%4.png")
                                  .arg(shots)
                                  .arg(scale)
                                  .arg(gSection)
                                  .arg(gStep, 2, 10, QLatin1Char('0')));
        };
        shoot();
        const int lastStep[] = {0, 10, 22};
        for (int section = 1; section <= 2; ++section) {
            for (int step = (section == 1 ? 1 : 0); step <= lastStep[section]; ++step) {
                if (!(section == 1 && step == 0) && !(section == 2 && step == 0)) w.cmdNext->click();
                QCOMPARE(gSection, std::int16_t(section));
                QCOMPARE(gStep, std::int16_t(step));
                QVERIFY(w.cmdNext->isEnabled() && w.cmdReturn1->isEnabled());
                shoot();
                if (section == 2 && step == 2) {
                    // The drop fell 210 x gScale in 21 moves, one drip cue each.
                    QCOMPARE(harness::sounds().files().count(QStringLiteral("音.wav")), 21);
                    QVERIFY(w.Image1->isVisible());
                    QCOMPARE(w.Image1->y(), int(std::lround(S(100) + S(210))));
                }
                if (section == 2 && step == 16) {
                    QVERIFY(same(w.image().pixel(scaled(20, 20)), QBColor(0)));
                    QVERIFY(same(w.image().pixel(scaled(500, 150)), QBColor(8)));
                }
            }
            // The closing step clears and goes on to the next section's first step.
            w.cmdNext->click();
            QCOMPARE(gSection, std::int16_t(section + 1));
            QCOMPARE(gStep, std::int16_t(0));
            shoot();
        }
        QVERIFY(!w.Picture1->isVisible());
        QVERIFY(w.cmdNext->isEnabled());
        QCOMPARE(harness::sounds().files().count(QStringLiteral("大砲.wav")), 2);
    }

    // The ruler's grey marks of the last phase each sleep 10 ms too: 6 x 10 + 120 x 20 +
    // 20 x 10 + 99 x 10 x 10 ms at least.
    void rulerPacing() {
        frmMaterial& w = startItem(learner, 1.0f);
        jumpTo(w, 2, 6);
        const qint64 t = timed(w.cmdNext);
        QCOMPARE(gStep, std::int16_t(7));
        QVERIFY2(t >= 12560, qPrintable(QString::number(t)));
    }

    // The particle groups are outlines with their clouds inside, not grey discs; the
    // explosion draws rings, not a growing disc; the closing sentence is not under the
    // banner.
    void groupsExplosionAndBanner() {
        frmMaterial& w = startItem(learner, 1.0f);
        jumpTo(w, 2, 18);
        // Inside the second group's outline, away from its clouds.
        QVERIFY(same(w.image().pixel(scaled(290, 70)), QBColor(15)));
        w.cmdNext->click(); // 19
        QVERIFY(same(w.image().pixel(scaled(290, 70)), QBColor(15)));
        w.cmdNext->click(); // 20
        QRgb centre = 0;
        int yellow = 0;
        const qint64 t0 = harness::clock().msNow();
        const int id = harness::clock().at(t0 + 200, [&] {
            centre = w.image().pixel(scaled(320, 200));
            yellow = countColour(w.image(), w.image().rect(), QBColor(14));
        });
        w.cmdNext->click(); // 21
        harness::clock().cancelAt(id);
        QVERIFY(same(centre, QBColor(0)));
        QVERIFY(yellow > 0);
        w.cmdNext->click(); // 22
        QVERIFY(!w.Picture1->isVisible());
    }

    // Point by point or at once, a galaxy is the same 1890 dots for the same random
    // numbers, and only its colour: fill, text and colours of the canvas stay as they were.
    void galaxyModesGiveTheSameDots_data() {
        QTest::addColumn<float>("scale");
        QTest::newRow("1") << 1.0f;
        QTest::newRow("1.5") << 1.5f;
    }
    void galaxyModesGiveTheSameDots() {
        QFETCH(float, scale);
        harness::setUp(scale);
        frmMaterial& w = form<frmMaterial>();
        w.Show();
        Page p(w);
        QImage drawn[2];
        qint64 took[2] = {};
        for (int mode : {0, 1}) {
            w.setBackColor(QBColor(0));
            w.Cls();
            w.FillStyle = FillStyles::Solid;
            w.FillColor = QBColor(3);
            w.ForeColor = QBColor(7);
            SeedRandom(1234);
            const qint64 t0 = harness::clock().msNow();
            w.run([&] { matter::galaxy(p, 1.0472, -0.523599, 320, 200, 30, 13, mode); });
            took[mode] = harness::clock().msNow() - t0;
            drawn[mode] = w.image().copy();
            QCOMPARE(w.FillStyle, FillStyles::Solid);
            QCOMPARE(w.FillColor, QBColor(3));
            QCOMPARE(w.ForeColor, QBColor(7));
        }
        QCOMPARE(drawn[0], drawn[1]);
        QCOMPARE(took[0], qint64(0));
        QVERIFY2(took[1] >= 9450, qPrintable(QString::number(took[1])));
        // Dots of the galaxy's colour on black, nothing else.
        const int dots = countColour(drawn[0], drawn[0].rect(), QBColor(13));
        QVERIFY(dots > 1000 && dots <= 1890);
        QCOMPARE(dots + countColour(drawn[0], drawn[0].rect(), QBColor(0)),
                 drawn[0].width() * drawn[0].height());
    }

    // The galaxy steps through LastStep: forwards into step 11 the galaxy grows dot by dot;
    // back from 12 to 11 it comes at once (the bulge keeps its waits); back from 13 to 12
    // the galaxy is redrawn under the Sun's place; 13 to 14 and back from 15 to 14 show the
    // text alone; back to 14 from 16 shows the galaxies again.
    void galaxyStepsThroughLastStep() {
        frmMaterial& w = startItem(learner, 1.0f);
        jumpTo(w, 3, 10);
        QCOMPARE(w.LastStep, std::int16_t(10));
        const QRect galaxyArea = scaled(100, 60, 540, 340);

        qint64 t = timed(w.cmdNext); // step 11, forwards
        QCOMPARE(gStep, std::int16_t(11));
        QVERIFY2(t >= 9450 + 6000, qPrintable(QString::number(t)));
        QCOMPARE(w.LastStep, std::int16_t(11));

        w.cmdNext->click(); // step 12 over the galaxy
        QCOMPARE(w.LastStep, std::int16_t(12));
        QVERIFY(countColour(w.image(), galaxyArea, QBColor(13)) > 1000);
        QVERIFY(same(w.image().pixel(scaled(220, 250)), QBColor(14)));

        t = timed(w.cmdReturn1); // back one to 11: at once, the bulge still paced
        QCOMPARE(gStep, std::int16_t(11));
        QVERIFY2(t >= 6000 && t < 9450, qPrintable(QString::number(t)));
        QVERIFY(countColour(w.image(), galaxyArea, QBColor(13)) > 1000);
        QVERIFY(!same(w.image().pixel(scaled(220, 250)), QBColor(14)));

        w.cmdNext->click(); // 12
        w.cmdNext->click(); // 13
        QCOMPARE(w.LastStep, std::int16_t(13));
        t = timed(w.cmdReturn1); // back one to 12: galaxy, bulge and markers at once
        QCOMPARE(gStep, std::int16_t(12));
        QCOMPARE(t, qint64(0));
        QVERIFY(countColour(w.image(), galaxyArea, QBColor(13)) > 1000);
        QVERIFY(same(w.image().pixel(scaled(220, 250)), QBColor(14)));

        // The four galaxies are drawn in 14, 12, 9 and 10.
        auto galaxyDots = [&] {
            int n = 0;
            for (int c : {12, 9, 10})
                n += countColour(w.image(), w.image().rect(), QBColor(c));
            return n;
        };
        w.cmdNext->click(); // 13
        QVERIFY(galaxyDots() > 1000);
        w.cmdNext->click(); // 14, forwards: the text alone
        QCOMPARE(gStep, std::int16_t(14));
        QCOMPARE(galaxyDots(), 0);
        w.cmdNext->click();    // 15
        w.cmdReturn1->click(); // back to 14: still the text alone
        QCOMPARE(gStep, std::int16_t(14));
        QCOMPARE(w.LastStep, std::int16_t(14));
        QCOMPARE(galaxyDots(), 0);
        w.cmdNext->click(); // 15
        w.cmdNext->click(); // 16
        QCOMPARE(w.LastStep, std::int16_t(16));
        w.cmdReturn1->click(); // 15
        w.cmdReturn1->click(); // 14, from a later step: with the galaxies
        QCOMPARE(gStep, std::int16_t(14));
        QVERIFY(galaxyDots() > 1000);
        QVERIFY(w.cmdNext->isEnabled());
    }

    // Every step of the macro world, reached again by Back one from the step after it,
    // shows the same window as when reached forwards, given the same random numbers (the
    // galaxy step 11 then comes at once, with the same dots). Step 12 draws over step 11
    // forwards and is covered by the LastStep paths above.
    void backOneRedrawsEveryStep() {
        frmMaterial& w = startItem(learner, 1.0f);
        auto shown = [&] {
            QImage img = w.grab().toImage();
            QPainter painter(&img);
            for (QWidget* b : {w.cmdNext, w.cmdReturn1, w.cmdReturn, w.cmdExit})
                painter.fillRect(b->geometry(), Qt::black);
            return img;
        };
        for (int step = 0; step <= 18; ++step) {
            if (step == 12) continue;
            gSection = 3;
            gStep = std::int16_t(step - 1);
            SeedRandom(42);
            w.cmdNext->click();
            const QImage forwards = shown();
            w.cmdNext->click();
            SeedRandom(42);
            w.cmdReturn1->click();
            QCOMPARE(gStep, std::int16_t(step));
            QVERIFY2(shown() == forwards, qPrintable(QStringLiteral("step %1").arg(step)));
        }
    }

    // The light runs from the Sun to the Earth's orbit with a tick per dot, and along the
    // scale of the outer planets with a tick per five dots, in both spellings of the path.
    void lightTravelCues() {
        frmMaterial& w = startItem(learner, 1.0f);
        jumpTo(w, 3, 5);
        const int before = int(harness::sounds().files().size());
        w.cmdNext->click(); // 6
        QCOMPARE(harness::sounds().files().mid(before).count(QStringLiteral("音.wav")), 50);
        QVERIFY(same(w.image().pixel(scaled(420, 200)), QBColor(14)));
        const int before8 = int(harness::sounds().files().size());
        w.cmdNext->click(); // 7
        w.cmdNext->click(); // 8
        QCOMPARE(harness::sounds().files().mid(before8).count(QStringLiteral("音.wav")), 22);
        QVERIFY(same(w.image().pixel(scaled(170 + 3.8 * 105, 340)), QBColor(14)));
    }

    // The end of the item: from "はじめから" the atomic structure follows at its first
    // step, the caption course name and tag with no separator; from its own button the
    // menu returns with only the exit button enabled.
    void endOfTheItem_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("from the start") << 1;
        QTest::newRow("hierarchy of matter") << 2;
    }
    void endOfTheItem() {
        QFETCH(int, button);
        frmMaterial& w = startItem(learner, 1.0f, button);
        jumpTo(w, 3, 19);
        w.cmdNext->click();
        if (button == 1) {
            QCOMPARE(w.windowTitle(), QStringLiteral("物質原子の構造について"));
            QCOMPARE(w.Tag, QStringLiteral("原子の構造について"));
            QCOMPARE(gSection, std::int16_t(1));
            QCOMPARE(gStep, std::int16_t(0));
            QVERIFY(w.cmdNext->isEnabled());
            QVERIFY(!w.picMenu->isVisible());
        } else {
            QCOMPARE(gSection, std::int16_t(3));
            QCOMPARE(gStep, std::int16_t(20));
            QVERIFY(!w.cmdNext->isEnabled() && !w.cmdReturn1->isEnabled() && !w.cmdReturn->isEnabled());
            QVERIFY(w.cmdExit->isEnabled());
        }
    }
};

QTEST_MAIN(TestMatterClass)
#include "test_matter_class.moc"
