// The atomic-structure item played through the real matter window with its real answer
// dialog on the virtual clock: its five questions, its electron animations and its end.

#include "app/frmStart.h"
#include "cloud/cloudfrm.h"
#include "dialogs/frmInputMaterial.h"
#include "lesson/frmMaterial.h"
#include "player/Prompts.h"
#include "player/Random.h"
#include "player/globals.h"
#include "tests/support/Harness.h"
#include "tests/support/LessonTest.h"
#include "tests/support/Replies.h"

#include <QPainter>
#include <QPointer>
#include <QtTest>
#include <cmath>

namespace {

QPoint scaled(double x, double y) {
    return {int(std::lround(S(x))), int(std::lround(S(y)))};
}

using lessontest::Replies;

// The learner types each reply into the box, which moves the focus to OK, and presses
// Enter there; the replies come from the script, then from the registry.
frmMaterial& startItem(Replies& replies, int menuButton, float scale = 1.0f) {
    harness::setUp(scale);
    replies.enterKey = true;
    replies.install();
    return lessontest::startMatter(menuButton);
}

void jumpTo(frmMaterial& w, int section, int step) {
    gSection = std::int16_t(section);
    gStep = std::int16_t(step - 1);
    w.cmdNext->click();
    QCOMPARE(gSection, std::int16_t(section));
    QCOMPARE(gStep, std::int16_t(step));
}

// What the window shows, the navigation row blanked out: whether Next is drawn with the
// focus depends on which window was active last (an answer dialog), not on the step.
QImage withoutButtons(frmMaterial& w) {
    QImage img = w.grab().toImage();
    QPainter painter(&img);
    for (QWidget* b : {w.cmdNext, w.cmdReturn1, w.cmdReturn, w.cmdExit})
        painter.fillRect(b->geometry(), Qt::black);
    return img;
}

QStringList cuesSince(int from) {
    return harness::sounds().files().mid(from);
}

} // namespace

class TestMatterGensi : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        setModalHook(nullptr);
        harness::closeAllWindows();
    }

    // Each question answered wrong, then right: asked again after the wrong answer, the
    // wrong cue and then the right one, and nothing printed on the page.
    void questionsWrongThenRight_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<QList<int>>("questions");
        QTest::addColumn<QStringList>("replies");
        QTest::newRow("3: the forces") << 3 << QList<int>{7, 7} << QStringList{"1", "2"};
        QTest::newRow("8: hydrogen") << 8 << QList<int>{8, 8} << QStringList{"2", "1"};
        QTest::newRow("10: oxygen and water")
            << 10 << QList<int>{9, 9, 10, 10, 11, 11} << QStringList{"3", "1", "1", "2", "2", "3"};
    }
    void questionsWrongThenRight() {
        QFETCH(int, step);
        QFETCH(QList<int>, questions);
        QFETCH(QStringList, replies);
        Replies r;
        frmMaterial& w = startItem(r, 3);
        QCOMPARE(gSection, std::int16_t(1));
        jumpTo(w, 1, step - 1);
        const QImage before = w.image().copy();
        r.given = replies;
        r.questions.clear();
        const int from = int(harness::sounds().files().size());
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(step));
        QCOMPARE(r.questions, questions);
        QStringList expected;
        for (int i = 0; i < questions.size() / 2; ++i)
            expected << QStringLiteral("Doing.wav") << QStringLiteral("Applause.wav");
        QCOMPARE(cuesSince(from), expected);
        QVERIFY(w.cmdNext->isEnabled());
        // Step 10 draws nothing of its own: the page is exactly what step 9 left.
        if (step == 10) QCOMPARE(w.image(), before);
        // The silent form: no verdict in its colours on the text page of step 3.
        if (step == 3) {
            const QImage& img = w.image();
            for (int y = 0; y < img.height(); y += 2)
                for (int x = 0; x < img.width(); x += 2)
                    QVERIFY((img.pixel(x, y) & 0xffffff) != (QBColor(2) & 0xffffff));
        }
    }

    // Every step of the item, reached again by Back one from the step after it, shows the
    // same window as when it was reached forwards (the lesson draws no random numbers).
    void backOneRedrawsEveryStep_data() {
        QTest::addColumn<float>("scale");
        QTest::newRow("1") << 1.0f;
        QTest::newRow("1.5") << 1.5f;
    }
    void backOneRedrawsEveryStep() {
        QFETCH(float, scale);
        Replies r;
        frmMaterial& w = startItem(r, 3, scale);
        const int lastVisible[] = {0, 10, 12, 5};
        const int closing[] = {0, 11, 13, 6};
        for (int section = 1; section <= 3; ++section) {
            // Step 10 of section 1 only asks over the page of step 9, and the last step of
            // each section is followed by the closing step.
            for (int step = 0; step < lastVisible[section]; ++step) {
                if (step == 0 && section > 1) {
                    // Through the closing step before it, as the learner comes.
                    gSection = std::int16_t(section - 1);
                    gStep = std::int16_t(closing[section - 1] - 1);
                    w.cmdNext->click();
                } else {
                    jumpTo(w, section, step);
                }
                QCOMPARE(gSection, std::int16_t(section));
                QCOMPARE(gStep, std::int16_t(step));
                const QImage forwards = withoutButtons(w);
                w.cmdNext->click();
                w.cmdReturn1->click();
                QCOMPARE(gSection, std::int16_t(section));
                QCOMPARE(gStep, std::int16_t(step));
                const QImage back = withoutButtons(w);
                QVERIFY2(back == forwards,
                         qPrintable(QStringLiteral("section %1 step %2").arg(section).arg(step)));
            }
        }
    }

    // The yellow title of the solar-system section goes with its first picture: nothing of
    // it is left beside the pictures or under the orbit figure.
    void titleGoesWithTheFirstPicture() {
        Replies r;
        frmMaterial& w = startItem(r, 3);
        jumpTo(w, 2, 0);
        auto yellow = [&] {
            int n = 0;
            const QImage& img = w.image();
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    n += (img.pixel(x, y) & 0xffffff) == (QBColor(14) & 0xffffff);
            return n;
        };
        QVERIFY(yellow() > 100);
        w.cmdNext->click();
        QCOMPARE(yellow(), 0);
    }

    // The electron circles the 10 cm nucleus in 37 moves with a beep each, starting at
    // (500, 200) and passing (320, 20) at a quarter turn.
    void orbitOfTheBlownUpAtom() {
        Replies r;
        frmMaterial& w = startItem(r, 3, 1.5f);
        jumpTo(w, 2, 5);
        const int beeps = beepCount();
        // Sample the electron's corner every 2 ms while it moves.
        QList<QPoint> corners;
        const qint64 t0 = harness::clock().msNow();
        QList<int> samplers;
        for (int t = 1; t < 3000; t += 2)
            samplers << harness::clock().at(t0 + t, [&] {
                if (corners.isEmpty() || corners.last() != w.Image1->pos()) corners << w.Image1->pos();
            });
        w.cmdNext->click();
        for (int id : samplers)
            harness::clock().cancelAt(id);
        QCOMPARE(gStep, std::int16_t(6));
        QCOMPARE(beepCount() - beeps, 37);
        QCOMPARE(corners.first(), scaled(500, 180));  // where it is placed
        QCOMPARE(corners.value(1), scaled(500, 200)); // the first move, at 0 degrees
        QVERIFY(corners.contains(scaled(320, 20)));
        QVERIFY(corners.size() >= 36);
        QCOMPARE(w.Image1->pos(), scaled(500, 200));
    }

    // The two electrons end within a tenth of a unit of where they started.
    void twoElectronsComeBack() {
        Replies r;
        frmMaterial& w = startItem(r, 3);
        jumpTo(w, 2, 11);
        QCOMPARE(w.Image1->pos(), scaled(205, 220));
        QCOMPARE(w.Image2->pos(), scaled(600, 230));
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(12));
        QCOMPARE(w.Image1->pos(), scaled(200, 230));
        QCOMPARE(w.Image2->pos(), scaled(600, 230));
        QVERIFY(w.Image1->isVisible() && w.Image2->isVisible());
    }

    // The end of the item: from "はじめから" the window goes and the electron-cloud viewer
    // opens with its caption; from its own button the menu returns with only exit enabled.
    void endOfTheItem_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("from the start") << 1;
        QTest::newRow("atomic structure") << 3;
    }
    void endOfTheItem() {
        QFETCH(int, button);
        Replies r;
        // At 1.5: at the smallest scale the last step has already taken the constant's
        // picture away for the invitation under it.
        frmMaterial& w = startItem(r, button, 1.5f);
        if (button == 1) w.Tag = QStringLiteral("原子の構造について");
        jumpTo(w, 3, 5);
        QVERIFY(w.Picture2->isVisible());
        w.cmdNext->click();
        QVERIFY(!w.Picture2->isVisible());
        if (button == 1) {
            QCOMPARE(w.windowTitle(), QStringLiteral("物質 - 電　　子　　雲"));
            QVERIFY(!w.isVisible());
            QVERIFY(!w.picMenu->isHidden()); // ready for when the viewer closes
            cloudfrm* viewer = loadedForm<cloudfrm>();
            QVERIFY(viewer);
            QVERIFY(viewer->isVisible());
            QCOMPARE(w.cmdExit->text(), LessonWindow::kMainMenu);
        } else {
            QCOMPARE(gSection, std::int16_t(3));
            QCOMPARE(gStep, std::int16_t(6));
            QVERIFY(w.isVisible());
            QVERIFY(!w.cmdNext->isEnabled() && !w.cmdReturn1->isEnabled() && !w.cmdReturn->isEnabled());
            QVERIFY(w.cmdExit->isEnabled());
        }
    }

    // The close box in the middle of an animation or while a question is open: the step is
    // abandoned, nothing is left waiting and the start window comes back.
    void closeBoxMidStep_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("afterMs"); // -1: when the question opens
        QTest::newRow("spiral") << 2 << 3 << 1 << 500;
        QTest::newRow("asteroid belt") << 2 << 3 << 4 << 700;
        QTest::newRow("light to the Earth") << 2 << 3 << 6 << 2000;
        QTest::newRow("outer planets") << 2 << 3 << 7 << 1500;
        QTest::newRow("light along the scale") << 2 << 3 << 8 << 1000;
        QTest::newRow("our galaxy") << 2 << 3 << 11 << 3000;
        QTest::newRow("bulge") << 2 << 3 << 11 << 12000;
        QTest::newRow("four galaxies") << 2 << 3 << 13 << 1500;
        QTest::newRow("groups of galaxies") << 2 << 3 << 14 << 2500;
        QTest::newRow("the Sun as a ball") << 2 << 3 << 15 << 1000;
        QTest::newRow("the nearest star") << 2 << 3 << 16 << 3000;
        QTest::newRow("the galaxy at that scale") << 2 << 3 << 17 << 4000;
        QTest::newRow("question 7") << 3 << 1 << 3 << -1;
        QTest::newRow("question 8") << 3 << 1 << 8 << -1;
        QTest::newRow("questions 9 to 11") << 3 << 1 << 10 << -1;
        QTest::newRow("orbit") << 3 << 2 << 6 << 300;
        QTest::newRow("two electrons") << 3 << 2 << 12 << 1500;
    }
    void closeBoxMidStep() {
        QFETCH(int, button);
        QFETCH(int, section);
        QFETCH(int, step);
        QFETCH(int, afterMs);
        Replies r;
        frmMaterial& w = startItem(r, button);
        QPointer<frmMaterial> window(&w);
        jumpTo(w, section, step - 1);
        if (afterMs < 0)
            setModalHook([window](QDialog&) {
                if (window) window->close();
            });
        else
            harness::clock().at(harness::clock().msNow() + afterMs, [window] {
                if (window) window->close();
            });
        const int cues = int(harness::sounds().files().size());
        w.cmdNext->click();
        harness::flush();
        QVERIFY(!window);
        QVERIFY(!loadedForm<frmMaterial>());
        QVERIFY(form<frmStart>().isVisible());
        QVERIFY(!harness::clock().hasPending());
        if (afterMs < 0) QCOMPARE(int(harness::sounds().files().size()), cues); // no verdict
    }

    // Every call reseeds the generator from the seconds clock, before its step: after a
    // step without waits the generator stands where a fresh seed from the clock puts it.
    void everyCallReseeds() {
        Replies r;
        frmMaterial& w = startItem(r, 3);
        jumpTo(w, 3, 0);
        SeedRandom(5);
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(1));
        const float afterStep = Rnd();
        Randomize();
        QCOMPARE(Rnd(), afterStep);
    }
};

QTEST_MAIN(TestMatterGensi)
#include "test_matter_gensi.moc"
