// Geometric optics, sections 2 and 3, and the eye, played in the real light window on the
// virtual clock: the reflection and prism quizzes answered wrong and then right through
// the real dialog, the lens staying inside its outline, the scattering steps going forwards
// and back, the close box in the middle of it all, and the key points of the eye.

#include "app/frmStart.h"
#include "dialogs/frmInputLight.h"
#include "lesson/Page.h"
#include "lesson/frmLight.h"
#include "light/figures.h"
#include "player/Prompts.h"
#include "player/globals.h"
#include "tests/support/Harness.h"
#include "tests/support/LessonTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <cmath>

namespace {

using lessontest::count;
using lessontest::logical;
using lessontest::probe;

// Whether a line of the given colour passes within a pixel of a logical point.
bool near(const QImage& img, double x, double y, QRgb colour) {
    const int cx = int(std::nearbyint(x * gScale)), cy = int(std::nearbyint(y * gScale));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (img.valid(cx + dx, cy + dy) && (img.pixel(cx + dx, cy + dy) | 0xff000000) == colour)
                return true;
    return false;
}

// The least-time crossing of the surface y 175 on the way from A (150, 50) in air to
// P (450, 300) in water of index 1.33, found by minimising the travel time itself.
double travelTime(double x) {
    return std::hypot(x - 150, 125) + 1.33 * std::hypot(450 - x, 125);
}
double leastTimeCrossing() {
    double best = 150;
    for (double x = 150; x <= 450; x += 0.01)
        if (travelTime(x) < travelTime(best)) best = x;
    return best;
}

// The middle of the columns of one colour in the logical row y between x 150 and 450.
double columnOf(const QImage& img, double y, QRgb colour) {
    double sum = 0;
    int n = 0;
    const int row = int(std::nearbyint(y * gScale));
    for (int x = int(150 * gScale); x <= int(450 * gScale); ++x)
        if ((img.pixel(x, row) | 0xff000000) == colour) {
            sum += x / gScale;
            ++n;
        }
    return n ? sum / n : -1;
}

// Where two pictures of one size differ (empty: nowhere).
QRect diffBox(const QImage& a, const QImage& b) {
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) | 0xff000000) != (b.pixel(x, y) | 0xff000000)) box |= QRect(x, y, 1, 1);
    return box;
}

// Answers every light dialog with the next reply, typed into its box, then OK, and keeps
// what each dialog asked. Whatever goes wrong, the dialog is closed.
struct Answers {
    QStringList replies;
    int asked = 0;
    QList<int> questions;
    QStringList prompts;
    std::function<void()> whileOpen;
    std::function<void()> closeInstead; // closes the lesson window instead of answering
    bool paste = false;                 // the replies are set into the box past the key filter
    void install() {
        setModalHook([this](QDialog& d) {
            const QString reply = replies.value(asked++, QStringLiteral("2"));
            auto* dialog = qobject_cast<frmInputLight*>(&d);
            if (!dialog) {
                d.accept();
                return;
            }
            questions << gQuestion;
            prompts << dialog->lblMessage->text();
            if (whileOpen) whileOpen();
            if (closeInstead) {
                closeInstead();
                return;
            }
            if (paste)
                dialog->txtInput->setText(reply);
            else
                QTest::keyClicks(dialog->txtInput, reply);
            if (dialog->OKbutton->isEnabled()) {
                dialog->OKbutton->click();
            } else {
                gAnswers[0] = reply;
                d.accept();
            }
        });
    }
};

// Keeps the canvas and the third label as they are the moment each cue starts.
class SnapshotSounds : public RecordingSoundBackend {
public:
    frmLight* window = nullptr;
    QList<QImage> atCue;
    QStringList label3AtCue;
    void play(const QString& path, const QByteArray& wav) override {
        RecordingSoundBackend::play(path, wav);
        if (!window) return;
        atCue.append(window->image().copy());
        label3AtCue.append(window->lblText3->isVisible() ? window->lblText3->text() : QString());
    }
};

frmLight& startKika(float scale) {
    harness::setUp(scale);
    gCourseName = QStringLiteral("光とは");
    frmLight& w = form<frmLight>();
    w.cmdMenu[2]->click();
    return w;
}

// Walks to a step of section 2 or 3 with Next from the start of the section, entered
// from the closing step of the section before it, so every step finds the window as the
// steps before it leave it.
void enter(frmLight& w, int section, int step) {
    gSection = std::int16_t(section - 1);
    gStep = std::int16_t(section == 2 ? 10 : 17);
    w.cmdNext->click();
    while (gSection == section && gStep < step)
        w.cmdNext->click();
}

SnapshotSounds* recordCues(frmLight& w) {
    auto sounds = std::make_unique<SnapshotSounds>();
    SnapshotSounds* cues = sounds.get();
    cues->window = &w;
    setSoundBackend(std::move(sounds));
    return cues;
}

void scaleRows(std::initializer_list<float> scales) {
    QTest::addColumn<float>("scale");
    for (float s : scales)
        QTest::newRow(QByteArray::number(s).constData()) << s;
}

} // namespace

class LightKika2Test : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        setModalHook(nullptr);
        harness::closeAllWindows();
    }

    // The race: the straight path stops at Q while the V and the arc go on, one pass a
    // tick; all three end at Q.
    void pathRace_data() { scaleRows({1.0f, 1.5f}); }
    void pathRace() {
        QFETCH(float, scale);
        frmLight& w = startKika(scale);
        enter(w, 2, 1);
        QImage atStraightEnd;
        const qint64 t0 = harness::clock().msNow();
        harness::clock().at(t0 + 400, [&] { atStraightEnd = w.image().copy(); });
        w.cmdNext->click();
        const qint64 took = harness::clock().msNow() - t0;
        QVERIFY2(took >= 637 && took < 700, qPrintable(QString::number(took)));
        // When the straight path has reached Q, the V is on its way up, the arc past its top.
        QVERIFY(near(atStraightEnd, 600.5, 175, QBColor(14)));
        QVERIFY(!near(atStraightEnd, 600, 179, QBColor(11)));
        QVERIFY(near(atStraightEnd, 420, 406 - 420 * 20 / 53, QBColor(11)));
        const QImage img = w.image();
        QVERIFY(near(img, 602, 179, QBColor(11)));
        QVERIFY(near(img, 601.4, 176, QBColor(10)));
        QVERIFY(near(img, 315, 0, QBColor(10)));   // the top of the arc
        QVERIFY(near(img, 315, 286, QBColor(11))); // the bottom of the V
        QCOMPARE(count(img, logical(604, 170, 639, 180), QBColor(14)), 0);
    }

    // Path 1 first, then path 2: the wrong text and Boing, the question again over the
    // same figure, then the right text and the applause; nothing is redrawn between.
    void reflectionQuiz_data() { scaleRows({1.0f, 1.5f}); }
    void reflectionQuiz() {
        QFETCH(float, scale);
        frmLight& w = startKika(scale);
        SnapshotSounds* cues = recordCues(w);
        enter(w, 2, 6);
        QVERIFY(w.lblText1->isVisible());
        Answers answers;
        answers.replies = {QStringLiteral("1"), QStringLiteral("2")};
        bool labelHidden = true;
        answers.whileOpen = [&] { labelHidden = labelHidden && w.lblText1->isHidden(); };
        answers.install();
        w.cmdNext->click();
        QCOMPARE(gSection, std::int16_t(2));
        QCOMPARE(gStep, std::int16_t(7));
        QCOMPARE(answers.questions, (QList<int>{2, 2}));
        QCOMPARE(answers.prompts.value(0), QStringLiteral("光は経路1,2,3のどれをとるでしょうか？ (1/2/3)"));
        QVERIFY(labelHidden);
        QCOMPARE(cues->files(), (QStringList{QStringLiteral("Boing.wav"), QStringLiteral("Applause.wav")}));
        // The feedback in grey at (18, 200), left of the figure: the right verdict alone
        // at the end, the wrong one printed over in black before it.
        const QRect feedback = logical(18, 200, 140, 218);
        QVERIFY(count(cues->atCue[0], feedback, QBColor(7)) > 20);
        QVERIFY(count(w.image(), feedback, QBColor(7)) > 20);
        QVERIFY(w.image().copy(feedback) != cues->atCue[0].copy(feedback));
        // The figure was not drawn again: outside the feedback line nothing changed.
        QImage before = cues->atCue[0], after = w.image().copy();
        const QRect blank = feedback.adjusted(0, 0, 120, 10);
        for (QImage* img : {&before, &after})
            for (int y = blank.top(); y <= blank.bottom(); ++y)
                for (int x = blank.left(); x <= blank.right(); ++x)
                    img->setPixel(x, y, 0);
        QCOMPARE(diffBox(after, before), QRect());
        // The three paths in their colours.
        QVERIFY(near(after, 175, 112.5, QBColor(2)));
        QVERIFY(near(after, 225, 112.5, QBColor(6)));
        QVERIFY(near(after, 275, 112.5, QBColor(4)));
    }

    // Entered with Back one, the solved reflection asks nothing and shows the mirror image.
    void solvedReflectionWithBackOne() {
        frmLight& w = startKika(1.0f);
        Answers answers;
        answers.install();
        enter(w, 2, 10);
        QCOMPARE(answers.asked, 1);
        for (int step = 9; step >= 8; --step) {
            w.cmdReturn1->click();
            QCOMPARE(gStep, std::int16_t(step));
            QCOMPARE(probe(w.image(), 300, 250),
                     step == 9 ? QBColor(7) : QBColor(9)); // grey water: the mirror
        }
        QCOMPARE(answers.asked, 1);
        // P' in grey, where it can be seen, and the mirrored continuation of path 2.
        w.cmdNext->click();
        QVERIFY(count(w.image(), logical(445, 305, 470, 325), QBColor(7)) > 10);
        QVERIFY(near(w.image(), 375, 237.5, QBColor(6)));
    }

    // The violet side: red first, then violet; the verdicts in light magenta in the third
    // label (the dark one hardly shows on the black ground).
    void prismQuiz_data() { scaleRows({1.0f, 1.5f}); }
    void prismQuiz() {
        QFETCH(float, scale);
        frmLight& w = startKika(scale);
        SnapshotSounds* cues = recordCues(w);
        enter(w, 3, 3);
        Answers answers;
        answers.replies = {QStringLiteral("1"), QStringLiteral("2")};
        answers.install();
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(4));
        QCOMPARE(answers.questions, (QList<int>{3, 3}));
        QCOMPARE(answers.prompts.value(1), QStringLiteral("この図で上側は, 1：赤ですか, 2：紫ですか (1/2)"));
        QCOMPARE(cues->files(), (QStringList{QStringLiteral("Boing.wav"), QStringLiteral("Applause.wav")}));
        QCOMPARE(cues->label3AtCue,
                 (QStringList{QStringLiteral("You are wrong!"), QStringLiteral("You are right!")}));
        QCOMPARE(w.lblText3->pos(), QPoint(int(18 * scale), int(150 * scale)));
        QCOMPARE(w.lblText3->palette().color(QPalette::WindowText).rgb(), QBColor(13));
        // The figure is not drawn again for the second ask.
        QCOMPARE(w.image(), cues->atCue[0]);
        // Step 5 puts violet (light magenta) on top and hides the verdict.
        w.cmdNext->click();
        QVERIFY(w.lblText3->isHidden());
        QVERIFY(near(w.image(), 491.5, 97, QBColor(13)));
        QVERIFY(near(w.image(), 494, 116, QBColor(12)));
    }

    // Text set into the box past the key filter (a paste is typed in through it): the
    // reflection quiz reads it as a number, the prism quiz compares the text, and either
    // goes on until the answer is right.
    void pastedAnswers_data() {
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("step");
        QTest::addColumn<QStringList>("replies");
        QTest::addColumn<QStringList>("cues");
        const QString boing = QStringLiteral("Boing.wav"), applause = QStringLiteral("Applause.wav");
        QTest::newRow("reflection, long then 2.0")
            << 2 << 7
            << QStringList{QString(300, QLatin1Char('2')), QStringLiteral("x"), QStringLiteral("2.0")}
            << QStringList{boing, boing, applause};
        QTest::newRow("reflection, 2 with text")
            << 2 << 7 << QStringList{QStringLiteral("2abc")} << QStringList{applause};
        QTest::newRow("prism, 2 and a blank")
            << 3 << 4 << QStringList{QStringLiteral("2 "), QStringLiteral("２"), QStringLiteral("2")}
            << QStringList{boing, boing, applause};
    }
    void pastedAnswers() {
        QFETCH(int, section);
        QFETCH(int, step);
        QFETCH(QStringList, replies);
        QFETCH(QStringList, cues);
        frmLight& w = startKika(1.0f);
        enter(w, section, step - 1);
        Answers answers;
        answers.paste = true;
        answers.replies = replies;
        answers.install();
        harness::sounds().cues.clear();
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(step));
        QCOMPARE(answers.asked, int(replies.size()));
        QCOMPARE(harness::sounds().files(), cues);
    }

    // The labels of section 3 are all in grey, the first one too.
    void firstLabelIsSeen() {
        frmLight& w = startKika(1.0f);
        Answers answers;
        answers.install();
        enter(w, 3, 1);
        QVERIFY(w.lblText1->isVisible());
        QCOMPARE(w.lblText1->palette().color(QPalette::WindowText).rgb(), QBColor(7));
    }

    // The lens is filled white up to its two arcs and nowhere beyond them.
    void lensFillStaysInside_data() { scaleRows({1.0f, 1.2f, 1.5f}); }
    void lensFillStaysInside() {
        QFETCH(float, scale);
        frmLight& w = startKika(scale);
        Answers answers;
        answers.install();
        enter(w, 3, 7);
        const QImage img = w.image();
        const QRgb white = QBColor(15);
        int inside = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                if ((img.pixel(x, y) | 0xff000000) != white) continue;
                const double lx = x / scale, ly = y / scale;
                const double r = 100 + 1.5 / scale;
                QVERIFY2(std::hypot(lx - 357, ly - 105) <= r && std::hypot(lx - 543, ly - 105) <= r,
                         qPrintable(QStringLiteral("white at %1, %2").arg(x).arg(y)));
                ++inside;
            }
        // The lens is about 14 by 73 logical pixels.
        QVERIFY(inside > 0.8 * 14 * 73 * 0.66 * scale * scale);
        QCOMPARE(probe(img, 450, 105), white);
        QCOMPARE(probe(img, 450, 75), white);
        QCOMPARE(probe(img, 450, 135), white);
    }

    // Forwards through 12 to 16 the particle field of step 12 stays; back from 16 to 12
    // every scattering step draws a fresh field at once and only its own new wave slowly.
    void scatteringForwardAndBack() {
        frmLight& w = startKika(1.0f);
        Answers answers;
        answers.install();
        enter(w, 3, 12);
        QCOMPARE(w.LastStep, std::int16_t(12));
        const QRgb paper = qRgb(255, 224, 192);
        const QRect field = logical(400, 300, 500, 395); // under every wave
        const QImage fieldOf12 = w.image().copy(field);
        QVERIFY(count(fieldOf12, fieldOf12.rect(), paper) < fieldOf12.width() * fieldOf12.height());
        // Each new wave: 500 sleeps of 50 ms; the earlier ones at once.
        for (int step = 13; step <= 15; ++step) {
            const qint64 t0 = harness::clock().msNow();
            w.cmdNext->click();
            const qint64 took = harness::clock().msNow() - t0;
            QCOMPARE(w.LastStep, std::int16_t(step));
            QVERIFY2(took >= 25000 && took < 26000, qPrintable(QString::number(took)));
            QCOMPARE(diffBox(w.image().copy(field), fieldOf12), QRect());
        }
        const QImage all = w.image().copy();
        QVERIFY(near(all, 100, 50 - 20 * std::sin(3 * 0.01745328888888889 * 50), QBColor(12)));
        QVERIFY(near(all, 500, 150 - 10 * std::sin(10 * 0.01745328888888889 * 450) + 80, QBColor(10)));
        QVERIFY(near(all, 300, 250 - 8 * std::sin(20 * 0.01745328888888889 * 430) + 90, QBColor(9)));
        w.cmdNext->click();
        QCOMPARE(w.LastStep, std::int16_t(16));
        QCOMPARE(probe(w.image(), 600, 390), QBColor(7));
        // Back one step at a time.
        for (int step = 15; step >= 12; --step) {
            const qint64 t0 = harness::clock().msNow();
            w.cmdReturn1->click();
            const qint64 took = harness::clock().msNow() - t0;
            QCOMPARE(gStep, std::int16_t(step));
            QCOMPARE(w.LastStep, std::int16_t(step));
            const QImage img = w.image().copy();
            QCOMPARE(probe(img, 630, 390), paper);
            QVERIFY(count(img, field, paper) < field.width() * field.height()); // a field is there
            QVERIFY(img.copy(field) != fieldOf12);                              // and it is new
            const qint64 expected = step == 12 ? 160 * 50 : 500 * 50;
            QVERIFY2(took >= expected && took < expected + 1000, qPrintable(QString::number(took)));
            QCOMPARE(near(img, 100, 50 - 20 * std::sin(3 * 0.01745328888888889 * 50), QBColor(12)),
                     step >= 13);
            QCOMPARE(near(img, 500, 150 - 10 * std::sin(10 * 0.01745328888888889 * 450) + 80, QBColor(10)),
                     step >= 14);
            QCOMPARE(near(img, 300, 250 - 8 * std::sin(20 * 0.01745328888888889 * 430) + 90, QBColor(9)),
                     step >= 15);
        }
    }

    // The close box in the middle of an animation or with a quiz dialog open ends the
    // lesson and brings the start window back.
    void closeBoxAnywhere_data() {
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("inDialog");
        QTest::newRow("race") << 2 << 2 << false;
        QTest::newRow("reflection quiz") << 2 << 7 << true;
        QTest::newRow("prism quiz") << 3 << 4 << true;
        QTest::newRow("particles") << 3 << 12 << false;
        QTest::newRow("long wave") << 3 << 13 << false;
        QTest::newRow("shortest wave") << 3 << 15 << false;
    }
    void closeBoxAnywhere() {
        QFETCH(int, section);
        QFETCH(int, step);
        QFETCH(bool, inDialog);
        QPointer<frmLight> w(&startKika(1.0f));
        Answers answers;
        answers.install();
        enter(*w, section, step - 1);
        if (inDialog)
            answers.closeInstead = [&] { w->close(); };
        else
            harness::clock().at(harness::clock().msNow() + 300, [&] { w->close(); });
        w->cmdNext->click();
        harness::flush();
        QVERIFY(w.isNull());
        QVERIFY(loadedForm<frmStart>() && loadedForm<frmStart>()->isVisible());
    }

    // The close box with any step of the two sections shown.
    void closeBoxAtEveryStep_data() {
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("step");
        for (int step = 0; step <= 17; ++step)
            QTest::addRow("2.%d", step) << 2 << step;
        for (int step = 0; step <= 20; ++step)
            QTest::addRow("3.%d", step) << 3 << step;
    }
    void closeBoxAtEveryStep() {
        QFETCH(int, section);
        QFETCH(int, step);
        QPointer<frmLight> w(&startKika(1.0f));
        Answers answers;
        answers.install();
        enter(*w, section, step);
        QCOMPARE(gSection, std::int16_t(section));
        QCOMPARE(gStep, std::int16_t(step));
        w->close();
        harness::flush();
        QVERIFY(w.isNull());
        QVERIFY(loadedForm<frmStart>() && loadedForm<frmStart>()->isVisible());
    }

    // The eye about (320, 170) and (320, 120): the points every caller relies on.
    void medamaKeyPoints_data() {
        QTest::addColumn<float>("scale");
        QTest::addColumn<int>("cy");
        for (float s : {1.0f, 1.5f})
            for (int cy : {170, 120})
                QTest::newRow(qPrintable(QStringLiteral("%1 at %2").arg(s).arg(cy))) << s << cy;
    }
    void medamaKeyPoints() {
        QFETCH(float, scale);
        QFETCH(int, cy);
        harness::setUp(scale);
        frmLight& w = form<frmLight>();
        w.setBackColor(QBColor(0));
        w.Cls();
        w.ForeColor = QBColor(4);
        Page p(w);
        light::medama(p, 320, cy);
        QCOMPARE(w.ForeColor, QBColor(15));
        const QImage img = w.image();
        const double cx = 320;
        auto at = [&](double a, double r, double dx = 0, double dy = 0) {
            return QPointF(cx + dx + r * std::cos(a), cy + dy - r * std::sin(a));
        };
        auto is = [&](QPointF q, QRgb c) { return near(img, q.x(), q.y(), c); };
        const double deg = 3.141592 / 180;
        QVERIFY(is(at(180 * deg, 40, -20), QBColor(15))); // the cornea, the front at x 260
        QVERIFY(is(QPointF(372, cy), QBColor(15)));       // the outer wall, the back at x 372
        QVERIFY(is(at(0, 50), QBColor(6)));               // the macula over the wall
        QVERIFY(is(at(90 * deg, 50), QBColor(15)));       // ... a 20 degree arc, not 340
        QVERIFY(!is(at(90 * deg, 50), QBColor(6)));
        QVERIFY(is(at(180 * deg, 28, 75), QBColor(6)));         // the pit of the fovea
        QVERIFY(!is(at(322 * deg, 52), QBColor(15)));           // the gap for the optic nerve
        QVERIFY(is(at(280 * deg, 52), QBColor(15)));            // the outer wall below
        QVERIFY(is(at(75 * deg, 70, 45, 110), QBColor(15)));    // the optic nerve
        QVERIFY(is(at(137.5 * deg, 15, -43, -10), QBColor(4))); // the iris, upper
        QVERIFY(is(at(222.5 * deg, 15, -43, 10), QBColor(4)));  // the iris, lower
        QVERIFY(is(at(0, 10, -52, -18), QBColor(2)));           // the ciliary muscle, through 0
        QVERIFY(is(at(180 * deg, 30, -20), QBColor(15)));       // the lens, front
        QVERIFY(is(at(0, 30, -70), QBColor(15)));               // the lens, back, through 0
        QVERIFY(!is(at(160 * deg, 50), QBColor(15)));           // the wall is open at the front
        QCOMPARE(probe(img, 320, cy + 0.0), QBColor(0));        // nothing inside
    }

    // The right path of the refraction figure crosses the surface where the travel time
    // is least for n = 1.33, on both sides of the surface, and its neighbour takes longer;
    // the normal of the construction stands at that crossing.
    void fermatCrossingIsTheLeastTime_data() { lessontest::scaleRows(); }
    void fermatCrossingIsTheLeastTime() {
        QFETCH(float, scale);
        harness::setUp(scale);
        driver::Learner learner;
        const double best = leastTimeCrossing();
        for (int step : {14, 16}) {
            QVERIFY2(lessontest::stepTo(learner, driver::Course::Light, QStringLiteral("Kika"), 2, step),
                     qPrintable(learner.failure()));
            const QImage img = learner.window()->image();
            // Where a straight path from A through the crossing x meets the rows 150 (air)
            // and 250 (water).
            auto inAir = [](double x) { return 150 + (x - 150) * 100 / 125; };
            auto inWater = [](double x) { return x + (450 - x) * 75 / 125; };
            const double yellowAir = columnOf(img, 150, QBColor(14)),
                         yellowWater = columnOf(img, 250, QBColor(14));
            const QString where =
                QStringLiteral("step %1: yellow at %2 and %3, least time through %4 (%5, %6)")
                    .arg(step)
                    .arg(yellowAir)
                    .arg(yellowWater)
                    .arg(best)
                    .arg(inAir(best))
                    .arg(inWater(best));
            QVERIFY2(std::fabs(yellowAir - inAir(best)) <= 1.5, qPrintable(where));
            QVERIFY2(std::fabs(yellowWater - inWater(best)) <= 1.5, qPrintable(where));
            // The red neighbour, read back from its column in air, is slower.
            const double red = 150 + (columnOf(img, 150, QBColor(12)) - 150) * 125 / 100;
            QVERIFY2(std::fabs(red - best) > 10 && travelTime(red) > travelTime(best),
                     qPrintable(QStringLiteral("neighbour through %1").arg(red)));
        }
        QVERIFY(near(learner.window()->image(), best, 110, QBColor(7))); // the normal
    }

    // The numbers of the three refraction paths each stand at the end of their own path,
    // as far from it at every scale as at 1.5.
    void pathNumbersAtTheirPaths() {
        QList<QList<double>> gaps; // logical pixels from each path's end to its number
        for (float scale : {1.5f, 1.0f, 1.2f}) {
            harness::setUp(scale);
            frmLight& w = form<frmLight>();
            w.setBackColor(QBColor(0));
            w.Cls();
            w.FontSize = 14;
            Page p(w);
            light::CandidatePaths(p);
            const QImage img = w.image();
            // Grey columns below the figure, grouped where they are more than 4 apart.
            QList<int> starts;
            int last = -100;
            for (int x = int(300 * scale); x < img.width(); ++x) {
                bool grey = false;
                for (int y = int(301 * scale); y < int(301 * scale) + 18 && !grey; ++y)
                    grey = (img.pixel(x, y) | 0xff000000) == QBColor(7);
                if (!grey) continue;
                if (x - last > 4) starts << x;
                last = x;
            }
            QCOMPARE(starts.size(), 3);
            const double ends[] = {330, 383, 440};
            QList<double> g;
            for (int k = 0; k < 3; ++k)
                g << starts[k] / double(scale) - ends[k];
            gaps << g;
            harness::closeAllWindows();
        }
        for (int s = 1; s < gaps.size(); ++s)
            for (int k = 0; k < 3; ++k)
                QVERIFY2(std::fabs(gaps[s][k] - gaps[0][k]) <= 1.5,
                         qPrintable(QStringLiteral("scale %1, path %2: %3 against %4")
                                        .arg(s)
                                        .arg(k + 1)
                                        .arg(gaps[s][k])
                                        .arg(gaps[0][k])));
    }
};

QTEST_MAIN(LightKika2Test)
#include "test_light_kika2.moc"
