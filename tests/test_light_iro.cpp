// The colour lesson played in the real light window on the virtual clock: the eyeball
// naming quiz answered wrong and right through the real text-input box, the colour-mixing
// exercise with its y/n repeat, and the additive and subtractive diagrams region by region.

#include "dialogs/frmInputLight.h"
#include "lesson/Course.h"
#include "lesson/frmLight.h"
#include "player/Prompts.h"
#include "player/globals.h"
#include "tests/support/Harness.h"
#include "tests/support/LessonTest.h"

#include <QInputDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <cmath>

namespace {

using lessontest::count;
using lessontest::logical;
using lessontest::probe;

// The band of the quiz's verdict line for part i.
QRect verdictLine(int i) {
    return logical(50, 200 + 15 * i + 2, 220, 200 + 15 * i + 12);
}

// Answers the text-input boxes with the next reply (a null reply cancels the box) and
// the light answer dialog with the next colour, keeping what each asked and the canvas
// as it stood when it opened.
struct Replies {
    QStringList boxReplies;
    QStringList colours;
    QStringList boxPrompts;
    QList<int> questions;
    QList<QImage> atBox;
    QList<int> beepsAtBox;
    frmLight* window = nullptr;
    bool paste = false;
    bool inputMethod = false; // the box's replies are committed by an input method
    void install() {
        setModalHook([this](QDialog& d) {
            if (auto* box = qobject_cast<QInputDialog*>(&d)) {
                const int n = int(boxPrompts.size());
                boxPrompts << box->labelText();
                atBox << window->image().copy();
                beepsAtBox << beepCount();
                const QString reply = boxReplies.value(n, QStringLiteral("-1"));
                if (reply.isNull()) {
                    box->reject();
                    return;
                }
                if (inputMethod) {
                    auto* edit = box->findChild<QLineEdit*>();
                    QInputMethodEvent commit;
                    commit.setCommitString(reply);
                    QApplication::sendEvent(edit, &commit);
                } else {
                    box->setTextValue(reply);
                }
                box->accept();
                return;
            }
            auto* dialog = qobject_cast<frmInputLight*>(&d);
            if (!dialog) {
                d.accept();
                return;
            }
            const QString reply = colours.value(int(questions.size()), QStringLiteral("7"));
            questions << gQuestion;
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

frmLight& startIro(float scale) {
    harness::setUp(scale);
    gCourseName = QStringLiteral("光とは");
    frmLight& w = form<frmLight>();
    w.cmdMenu[5]->click();
    return w;
}

// Next into the section's first page, then on with Next to the step, so the step finds
// the window as the steps before it leave it.
void enter(frmLight& w, int section, int step) {
    gSection = std::int16_t(section);
    gStep = 0;
    w.cmdNext->click();
    while (gSection == section && gStep < step)
        w.cmdNext->click();
}

void scaleRows() {
    QTest::addColumn<float>("scale");
    QTest::newRow("1") << 1.0f;
    QTest::newRow("1.5") << 1.5f;
}

// Where the wavelength axes of the colour lesson put a wavelength: 380 to 720 nm over
// x 200 to 500.
double nmX(double nm) {
    return 200 + (nm - 380) * 300 / 340;
}

// The top of one curve in the logical band x1..x2, y1..y2: the middle of the columns where
// the colour reaches highest, in logical units (-1 if the colour is not there).
double peakX(const QImage& img, QRgb colour, double x1, double x2, double y1, double y2) {
    int top = 1 << 30;
    double first = -1, last = -1;
    for (int px = int(std::ceil(x1 * gScale)); px <= int(x2 * gScale); ++px)
        for (int py = int(std::ceil(y1 * gScale)); py <= int(y2 * gScale); ++py) {
            if ((img.pixel(px, py) | 0xff000000u) != colour) continue;
            if (py < top) {
                top = py;
                first = last = px / gScale;
            } else if (py == top) {
                last = px / gScale;
            }
            break;
        }
    return first < 0 ? -1 : (first + last) / 2;
}

const QString kPrompt = QStringLiteral("の名前は何ですか？上の番号で答えなさい");

} // namespace

class LightIroTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        setModalHook(nullptr);
        harness::closeAllWindows();
    }

    // A wrong reply beeps and leaves a red line; the right one overwrites it with the
    // green-blue line; -1 ends the quiz with no line for the rest.
    void namingQuizWrongThenRight_data() { scaleRows(); }
    void namingQuizWrongThenRight() {
        QFETCH(float, scale);
        frmLight& w = startIro(scale);
        Replies r;
        r.window = &w;
        r.boxReplies = {QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("-1")};
        r.install();
        enter(w, 1, 3);
        const int beeps = beepCount();
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(4));
        QCOMPARE(r.boxPrompts, (QStringList{QStringLiteral("1") + kPrompt, QStringLiteral("1") + kPrompt,
                                            QStringLiteral("2") + kPrompt}));
        QCOMPARE(r.beepsAtBox, (QList<int>{beeps, beeps + 1, beeps + 1}));
        QVERIFY(count(r.atBox[1], verdictLine(1), QBColor(12)) > 20);
        const QImage img = w.image();
        QCOMPARE(count(img, verdictLine(1), QBColor(12)), 0);
        QVERIFY(count(img, verdictLine(1), QBColor(11)) > 20);
        QCOMPARE(count(img, logical(50, 236, 220, 340), QBColor(11)), 0);
        QCOMPARE(count(img, logical(50, 215, 220, 340), QBColor(12)), 0);
    }

    // All eight right, as the quiz rows accept them (part i is legend number 9 - i):
    // eight lines, all inside the page at both scales, none red.
    void namingQuizAllRight_data() { scaleRows(); }
    void namingQuizAllRight() {
        QFETCH(float, scale);
        frmLight& w = startIro(scale);
        Replies r;
        r.window = &w;
        for (int i = 1; i <= 8; ++i) {
            const lesson::QuizRow* q = course::findQuiz(QStringLiteral("Iro"), 1, 4, i);
            QVERIFY(q);
            QCOMPARE(QString::fromUtf8(q->right), QString::number(9 - i));
            r.boxReplies << QString::fromUtf8(q->right);
        }
        r.install();
        enter(w, 1, 3);
        const int beeps = beepCount();
        w.cmdNext->click();
        QCOMPARE(r.boxPrompts.size(), 8);
        QCOMPARE(r.boxPrompts.last(), QStringLiteral("8") + kPrompt);
        QCOMPARE(beepCount(), beeps);
        const QImage img = w.image();
        for (int i = 1; i <= 8; ++i)
            QVERIFY2(count(img, verdictLine(i), QBColor(11)) > 20, qPrintable(QString::number(i)));
        QCOMPARE(count(img, logical(50, 215, 220, 340), QBColor(12)), 0);
    }

    // Cancel, letters, a full-width digit that is wrong, a huge or fractional number: each
    // one wrong, the same part asked again; -1 ends.
    void namingQuizBadReplies() {
        frmLight& w = startIro(1.0f);
        Replies r;
        r.window = &w;
        r.boxReplies = {QString(),
                        QStringLiteral(""),
                        QStringLiteral("abc"),
                        QStringLiteral("７"),
                        QString(10000, u'8'),
                        QStringLiteral("8.5"),
                        QStringLiteral("-1")};
        r.install();
        enter(w, 1, 3);
        const int beeps = beepCount();
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(4));
        QCOMPARE(r.boxPrompts.size(), 7);
        for (const QString& prompt : r.boxPrompts)
            QCOMPARE(prompt, QStringLiteral("1") + kPrompt);
        QCOMPARE(beepCount(), beeps + 6);
        QCOMPARE(count(w.image(), verdictLine(1), QBColor(11)), 0);
    }

    // With a Japanese input method on: "８" is 8 and right, "－１" ends the quiz; the
    // replies are read as the ASCII they stand for.
    void namingQuizThroughTheInputMethod() {
        frmLight& w = startIro(1.0f);
        Replies r;
        r.window = &w;
        r.inputMethod = true;
        r.boxReplies = {QStringLiteral("８"), QStringLiteral("７"), QStringLiteral("－１")};
        r.install();
        enter(w, 1, 3);
        const int beeps = beepCount();
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(4));
        QCOMPARE(r.boxPrompts, (QStringList{QStringLiteral("1") + kPrompt, QStringLiteral("2") + kPrompt,
                                            QStringLiteral("3") + kPrompt}));
        QCOMPARE(beepCount(), beeps);
        const QImage img = w.image();
        QVERIFY(count(img, verdictLine(1), QBColor(11)) > 20);
        QVERIFY(count(img, verdictLine(2), QBColor(11)) > 20);
        QCOMPARE(count(img, logical(50, 251, 220, 340), QBColor(11)), 0);
        QCOMPARE(count(img, logical(50, 215, 220, 340), QBColor(12)), 0);
    }

    // The dotted rectangles stay on their device pixels at every scale; exactly "y" asks
    // for three colours again on a cleared page, anything else leaves the page as it is.
    void mixingAgain_data() {
        QTest::addColumn<float>("scale");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("again");
        QTest::newRow("y 1") << 1.0f << QStringLiteral("y") << true;
        QTest::newRow("y 1.5") << 1.5f << QStringLiteral("y") << true;
        QTest::newRow("full-width y") << 1.0f << QStringLiteral("ｙ") << true;
        QTest::newRow("Y") << 1.0f << QStringLiteral("Y") << false;
        QTest::newRow("yes") << 1.0f << QStringLiteral("yes") << false;
        QTest::newRow("n") << 1.0f << QStringLiteral("n") << false;
        QTest::newRow("cancel") << 1.0f << QString() << false;
    }
    void mixingAgain() {
        QFETCH(float, scale);
        QFETCH(QString, reply);
        QFETCH(bool, again);
        frmLight& w = startIro(scale);
        Replies r;
        r.window = &w;
        r.colours = {QStringLiteral("4"), QStringLiteral("2"), QStringLiteral("1"),
                     QStringLiteral("6"), QStringLiteral("6"), QStringLiteral("6")};
        r.boxReplies = {reply};
        r.install();
        enter(w, 5, 5);
        QCOMPARE(r.questions, (QList<int>{8, 9, 9}));
        QImage img = w.image();
        // Device pixels: red from x 200, green from 151, blue from 252, on even rows only.
        QCOMPARE(img.pixel(200, 100) | 0xff000000, QBColor(12));
        QCOMPARE(img.pixel(151, 300) | 0xff000000, QBColor(10));
        QCOMPARE(img.pixel(450, 300) | 0xff000000, QBColor(9));
        QCOMPARE(img.pixel(200, 101) | 0xff000000, QBColor(0));
        QCOMPARE(img.pixel(201, 100) | 0xff000000, QBColor(0));
        // Where all three overlap their dots sit side by side.
        QCOMPARE(img.pixel(254, 200) | 0xff000000, QBColor(12));
        QCOMPARE(img.pixel(253, 200) | 0xff000000, QBColor(10));
        QCOMPARE(img.pixel(252, 200) | 0xff000000, QBColor(9));
        const QImage before = img.copy();
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(6));
        QCOMPARE(r.boxPrompts, QStringList{QStringLiteral("もう一度やってみますか(y/n)")});
        img = w.image();
        if (again) {
            QCOMPARE(r.questions, (QList<int>{8, 9, 9, 8, 9, 9}));
            QCOMPARE(img.pixel(200, 100) | 0xff000000, QBColor(14));
            QCOMPARE(img.pixel(254, 200) | 0xff000000, QBColor(14));
            // The narration line of step 5 went with the clear.
            QCOMPARE(count(img, logical(20, 352, 400, 365), QBColor(15)), 0);
        } else {
            QCOMPARE(r.questions.size(), 3);
            QCOMPARE(img, before);
        }
    }

    // A reply that is not one digit 1 to 7 (set into the box past the dialog's filter)
    // still paints in one of the seven colours.
    void mixingColourKeptInRange_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("colour");
        QTest::newRow("45") << QStringLiteral("45") << 12;
        QTest::newRow("9") << QStringLiteral("9") << 15;
        QTest::newRow("0") << QStringLiteral("0") << 15;
        QTest::newRow("-3") << QStringLiteral("-3") << 15;
        QTest::newRow("long") << QString(10000, u'7') << 15;
    }
    void mixingColourKeptInRange() {
        QFETCH(QString, reply);
        QFETCH(int, colour);
        frmLight& w = startIro(1.0f);
        Replies r;
        r.window = &w;
        r.paste = true;
        r.colours = {reply, QStringLiteral("1"), QStringLiteral("1")};
        r.boxReplies = {QStringLiteral("n")};
        r.install();
        enter(w, 5, 5);
        QCOMPARE(w.image().pixel(200, 100) | 0xff000000, QBColor(colour));
    }

    // Every region of both diagrams in its colour; the fills leave the style solid in the
    // last colour, which the full circle of the colour circle is drawn with.
    void mixingDiagrams_data() { scaleRows(); }
    void mixingDiagrams() {
        QFETCH(float, scale);
        frmLight& w = startIro(scale);
        enter(w, 6, 3);
        const QRgb magenta = RGB(239, 5, 127), cyan = RGB(0, 159, 197);
        struct Region {
            double x, y;
            QRgb colour;
            const char* name;
        };
        const Region regions[] = {
            {210, 140, QBColor(12), "additive red"},       {150, 240, QBColor(10), "additive green"},
            {90, 140, QBColor(9), "additive blue"},        {185, 190, QBColor(14), "additive yellow"},
            {150, 120, magenta, "additive magenta"},       {115, 190, cyan, "additive cyan"},
            {150, 170, QBColor(15), "additive white"},     {500, 115, magenta, "subtractive magenta"},
            {560, 215, QBColor(14), "subtractive yellow"}, {440, 215, cyan, "subtractive cyan"},
            {535, 165, QBColor(12), "subtractive red"},    {465, 165, QBColor(9), "subtractive blue"},
            {500, 235, QBColor(10), "subtractive green"},  {500, 185, QBColor(0), "subtractive black"},
        };
        const QImage img = w.image();
        for (const Region& r : regions)
            QVERIFY2(probe(img, r.x, r.y) == (r.colour | 0xff000000), r.name);
        // The outlines between the regions are grey.
        QCOMPARE(probe(img, 175, 100), QBColor(7));
        QCOMPARE(probe(img, 500, 100), QBColor(7));
        // Both names under their diagrams, inside the page.
        QVERIFY(count(img, logical(120, 262, 220, 285), QBColor(10)) > 20);
        QVERIFY(count(img, logical(475, 262, 575, 285), QBColor(10)) > 20);
        QVERIFY(w.Image1->isVisible());
        QCOMPARE(w.FillStyle, FillStyles::Solid);
        QCOMPARE(w.FillColor, QBColor(0));

        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(4));
        QVERIFY(!w.Image1->isVisible());
        const QImage circle = w.image();
        const Region sectors[] = {
            {370, 250, QBColor(12), "red"}, {320, 300, QBColor(10), "green"},
            {250, 250, QBColor(9), "blue"}, {320, 250, magenta, "magenta"},
            {250, 300, cyan, "cyan"},       {370, 300, QBColor(14), "yellow"},
        };
        for (const Region& r : sectors)
            QVERIFY2(probe(circle, r.x, r.y) == (r.colour | 0xff000000), r.name);
        // Complements face each other across the centre.
        QCOMPARE(probe(circle, 395, 275 - 20), QBColor(12));
        QCOMPARE(probe(circle, 245, 275 + 20), cyan | 0xff000000);
        // The label stays visible above the circle.
        QVERIFY(count(circle, logical(265, 140, 400, 170), QBColor(13)) > 20);
    }

    // The sensitivity curves peak where the eye's do: the S, M and L cones near 420, 534
    // and 564 nm, rods (scotopic) at 507 nm and cones together (photopic) at 555 nm, on
    // axes whose labels stand at their wavelengths.
    void sensitivityPeaks_data() { scaleRows(); }
    void sensitivityPeaks() {
        QFETCH(float, scale);
        harness::setUp(scale);
        driver::Learner learner;
        auto expectPeak = [](const QImage& img, QRgb colour, double nm, double y1, double y2) {
            const double x = peakX(img, colour, 201, 500, y1, y2);
            return std::fabs(x - nmX(nm)) <= 2
                       ? QString()
                       : QStringLiteral("%1 nm: drawn at x %2, expected %3").arg(nm).arg(x).arg(nmX(nm));
        };
        QVERIFY2(lessontest::stepTo(learner, driver::Course::Light, QStringLiteral("Iro"), 4, 2),
                 qPrintable(learner.failure()));
        QImage img = learner.window()->image();
        for (const QString& fault :
             {expectPeak(img, QBColor(9), 507, 60, 249), expectPeak(img, QBColor(12), 555, 60, 249)})
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY2(lessontest::stepTo(learner, driver::Course::Light, QStringLiteral("Iro"), 5, 1),
                 qPrintable(learner.failure()));
        img = learner.window()->image();
        for (const QString& fault :
             {expectPeak(img, QBColor(9), 420, 40, 279), expectPeak(img, QBColor(10), 534, 40, 279),
              expectPeak(img, QBColor(12), 564, 40, 279)})
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        // The label 400 is centred on its tick: white on both sides of x 400 nm.
        QVERIFY(count(img, logical(nmX(400) - 12, 287, nmX(400) - 2, 300), QBColor(15)) > 0);
        QVERIFY(count(img, logical(nmX(400) + 2, 287, nmX(400) + 12, 300), QBColor(15)) > 0);
        driver::Learner::closeAll();
    }

    // The television's yellow: a green band near 530 nm and the red phosphor's narrow
    // lines near 626 nm, and no light at all in the blue.
    void televisionYellowHasNoBlue_data() { scaleRows(); }
    void televisionYellowHasNoBlue() {
        QFETCH(float, scale);
        harness::setUp(scale);
        driver::Learner learner;
        QVERIFY2(lessontest::stepTo(learner, driver::Course::Light, QStringLiteral("Iro"), 5, 3),
                 qPrintable(learner.failure()));
        const QImage img = learner.window()->image();
        const QRgb tv = QBColor(11);
        QCOMPARE(count(img, logical(201, 50, nmX(480), 276), tv), 0); // nothing from 380 to 480 nm
        const double green = peakX(img, tv, 300, 385, 50, 276);
        QVERIFY2(std::fabs(green - nmX(530)) <= 2, qPrintable(QStringLiteral("green band at %1").arg(green)));
        // The red lines, seen in a row just above the axis: only between 610 and 635 nm.
        const int row = int(std::nearbyint(260 * gScale));
        int inside = 0, outside = 0;
        for (int px = int(385 * gScale); px <= int(500 * gScale); ++px) {
            if ((img.pixel(px, row) | 0xff000000u) != tv) continue;
            const double x = px / gScale;
            (x >= nmX(610) && x <= nmX(635) ? inside : outside)++;
        }
        QVERIFY2(inside > 0 && outside == 0,
                 qPrintable(QStringLiteral("%1 in, %2 out").arg(inside).arg(outside)));
        driver::Learner::closeAll();
    }
};

QTEST_MAIN(LightIroTest)
#include "test_light_iro.moc"
