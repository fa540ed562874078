// Geometric optics, section 1, played in the real light window on the virtual clock: the
// photon's flight, the refraction quiz answered through the real dialog, the solved
// figure entered with Back one, and the end of the item.

#include "dialogs/frmInputLight.h"
#include "lesson/frmLight.h"
#include "player/Prompts.h"
#include "player/globals.h"
#include "tests/support/Harness.h"
#include "tests/support/LessonTest.h"
#include "tests/support/Replies.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <cmath>

namespace {

QRgb at(frmLight& w, double x, double y) {
    return w.image().pixel(int(std::nearbyint(S(x))), int(std::nearbyint(S(y)))) | 0xff000000;
}

// Whether a slanting line of the given colour passes within a pixel of a logical point.
bool near(frmLight& w, double x, double y, QRgb colour) {
    const int cx = int(std::nearbyint(S(x))), cy = int(std::nearbyint(S(y)));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if ((w.image().pixel(cx + dx, cy + dy) | 0xff000000) == colour) return true;
    return false;
}

void shot(frmLight& w, const QString& name) {
    const QString dir = qEnvironmentVariable("ORVANTH_SHOTS");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    w.grab().save(QStringLiteral("%1/kika-%2-%3.png").arg(dir, QString::number(gScale), name));
}

using lessontest::Replies;

const QString kRefraction = QStringLiteral("屈折率n>1の媒質の中で光はどの光路をとるでしょうか (1/2/3)");

// Every dialog of section 1 is the refraction question, asked n times.
void askedRefraction(const Replies& answers, int n) {
    QCOMPARE(answers.questions, QList<int>(n, 1));
    QCOMPARE(answers.prompts, QStringList(n, kRefraction));
}

// Keeps the canvas as it is the moment each cue starts: the feedback text printed just
// before the cue, even when the step clears it again right after.
class SnapshotSounds : public RecordingSoundBackend {
public:
    frmLight* window = nullptr;
    QList<QImage> atCue;
    void play(const QString& path, const QByteArray& wav) override {
        RecordingSoundBackend::play(path, wav);
        if (window) atCue.append(window->image().copy());
    }
};

frmLight& startKika(float scale) {
    harness::setUp(scale);
    return lessontest::startLight(2);
}

void nextTo(frmLight& w, int step) {
    while (gSection == 1 && gStep < step)
        w.cmdNext->click();
}

bool allEnabled(frmLight& w) {
    return w.cmdNext->isEnabled() && w.cmdReturn->isEnabled() && w.cmdReturn1->isEnabled() &&
           w.cmdExit->isEnabled();
}

// The feedback line as it must look: grey text at (50, 320) on the black canvas.
QRect feedbackRect() {
    return QRect(int(S(50)), int(S(320)), 220, 30);
}
QImage feedbackAlone(frmLight& w, const QString& text) {
    Canvas c;
    c.resizeCanvas(w.image().width(), w.image().height());
    c.setBackColor(QBColor(0));
    c.FontSize = w.FontSize;
    c.ForeColor = QBColor(7);
    c.CurrentX = S(50);
    c.CurrentY = S(320);
    c.Print(text);
    return c.image().copy(feedbackRect());
}

// One data row per display scale.
void scaleRows(std::initializer_list<float> scales) {
    QTest::addColumn<float>("scale");
    for (float s : scales)
        QTest::newRow(QByteArray::number(s).constData()) << s;
}

} // namespace

class LightKikaTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        setModalHook(nullptr);
        harness::closeAllWindows();
    }

    void playsSectionOne_data() { scaleRows({1.0f, 1.2f, 1.5f}); }
    void playsSectionOne() {
        QFETCH(float, scale);
        frmLight& w = startKika(scale);
        Replies answers;
        QCOMPARE(w.windowTitle(), QStringLiteral("光とは - 幾何光学"));
        for (int step = 0; step <= 10; ++step) {
            if (step > 0) w.cmdNext->click();
            QCOMPARE(gSection, std::int16_t(1));
            QCOMPARE(gStep, std::int16_t(step));
            QVERIFY(allEnabled(w));
            shot(w, QString::number(step));
        }
        askedRefraction(answers, 1);
        // Step 11 goes on into section 2 at once, without a title card.
        const qint64 before = harness::clock().msNow();
        w.cmdNext->click();
        QCOMPARE(gSection, std::int16_t(2));
        QCOMPARE(gStep, std::int16_t(0));
        QVERIFY(harness::clock().msNow() - before < 1500);
    }

    // The photon flies one pixel a tick until its left edge reaches the inner width.
    void photonStopsAtInnerWidth_data() { scaleRows({1.0f, 1.2f, 1.5f}); }
    void photonStopsAtInnerWidth() {
        QFETCH(float, scale);
        frmLight& w = startKika(scale);
        nextTo(w, 1);
        const qint64 before = harness::clock().msNow();
        QPoint midFlight;
        bool shownMidFlight = false;
        harness::clock().at(before + 301, [&] {
            midFlight = w.Image1->pos();
            shownMidFlight = w.Image1->isVisible();
            shot(w, QStringLiteral("2-flight"));
        });
        w.cmdNext->click();
        QVERIFY(shownMidFlight);
        // One tick for the strip, then one pixel a tick: 299 moves when the 301st tick is due.
        QCOMPARE(midFlight, QPoint(10 + 299, 120));
        QCOMPARE(w.Image1->x(), int(w.ScaleWidth()));
        QVERIFY(w.Image1->isHidden());
        QVERIFY(!w.Image1->picture().isNull());
        QCOMPARE(w.Image1->y(), 120);
        // One tick per pixel from x 10, after the strip's own short wait.
        const qint64 elapsed = harness::clock().msNow() - before;
        QVERIFY(elapsed >= int(w.ScaleWidth()) - 10);
        QVERIFY(elapsed <= int(w.ScaleWidth()) - 10 + 2);
        QVERIFY(w.Picture1->isVisible());
        QCOMPARE(w.Picture1->geometry(), QRect(int(100 * scale), int(30 * scale), 550, 35));
    }

    // A wrong answer, then the right one: the wrong text and cue, the figure drawn afresh
    // for the second question, then the right text alone and the applause.
    void refractionQuiz_data() { scaleRows({1.0f, 1.5f}); }
    void refractionQuiz() {
        QFETCH(float, scale);
        frmLight& w = startKika(scale);
        auto sounds = std::make_unique<SnapshotSounds>();
        SnapshotSounds* cues = sounds.get();
        cues->window = &w;
        setSoundBackend(std::move(sounds));
        nextTo(w, 5);
        const QImage question = w.image().copy();
        Replies answers;
        answers.given = {QStringLiteral("2"), QStringLiteral("1")};
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(6));
        askedRefraction(answers, 2);
        QCOMPARE(cues->files(), (QStringList{QStringLiteral("Doing.wav"), QStringLiteral("Applause.wav")}));
        QCOMPARE(cues->atCue[0].copy(feedbackRect()), feedbackAlone(w, QStringLiteral("You are wrong!")));
        QCOMPARE(w.image().copy(feedbackRect()), feedbackAlone(w, QStringLiteral("You are right!")));
        // The candidate paths in magenta over the figure of step 5.
        QVERIFY(near(w, 326.5, 250, QBColor(5)));
        QVERIFY(near(w, 300, 250, QBColor(5)));
        QCOMPARE(at(w, 210, 150), QBColor(14));
        QCOMPARE(question.pixel(int(S(210)), int(S(150))) | 0xff000000, QBColor(14));
        QVERIFY(allEnabled(w));
    }

    // Steps 7 to 9 entered with Back one show the solved figure and ask nothing.
    void solvedFigureWithBackOne_data() { scaleRows({1.0f, 1.5f}); }
    void solvedFigureWithBackOne() {
        QFETCH(float, scale);
        frmLight& w = startKika(scale);
        Replies answers;
        nextTo(w, 10);
        QCOMPARE(int(answers.questions.size()), 1);
        for (int step = 9; step >= 7; --step) {
            w.cmdReturn1->click();
            QCOMPARE(gStep, std::int16_t(step));
            QCOMPARE(int(answers.questions.size()), 1);
            QCOMPARE(at(w, 50, 50), QBColor(7)); // grey all round the frame
            QCOMPARE(at(w, 600, 380), QBColor(7));
            QCOMPARE(at(w, 100, 150), QBColor(1));                          // the frame itself
            QCOMPARE(at(w, 300, 250), QBColor(14));                         // path 1, the right one
            QVERIFY(!near(w, 326.5, 250, QBColor(5)));                      // path 2 gone into the water
            QCOMPARE(at(w, 210, 150), QBColor(14));                         // the incident ray
            QCOMPARE(at(w, 270, 150), step >= 8 ? QBColor(2) : QBColor(7)); // the normal
            bool blackText = false;
            for (int y = int(S(310)); y < int(S(340)) && !blackText; ++y)
                for (int x = 20; x < 200 && !blackText; ++x)
                    blackText = (w.image().pixel(x, y) | 0xff000000) == QBColor(0);
            QCOMPARE(blackText, step == 9); // the relation, printed in black
        }
    }

    void endOfItem() {
        frmLight& w = startKika(1.0f);
        gSection = 3;
        gStep = 20;
        w.cmdNext->click();
        QVERIFY(w.picMenu->isVisible());
        QCOMPARE(w.cmdExit->text(), LessonWindow::kMainMenu);
        QVERIFY(w.cmdExit->isEnabled());
        QVERIFY(!w.cmdNext->isEnabled() && !w.cmdReturn->isEnabled() && !w.cmdReturn1->isEnabled());
    }

    void endOfWholeCourseItemChainsIntoWaveOptics() {
        frmLight& w = startKika(1.0f);
        gMenuItem = 1; // as when the course runs from the start
        gSection = 3;
        gStep = 20;
        w.cmdNext->click();
        QCOMPARE(w.Tag, QStringLiteral("波動光学"));
        QCOMPARE(w.windowTitle(), QStringLiteral("光とは     波動光学"));
        QCOMPARE(gSection, std::int16_t(1)); // past wave optics' title card
        QCOMPARE(gStep, std::int16_t(0));
        QVERIFY(!w.picMenu->isVisible());
        QVERIFY(allEnabled(w));
    }
};

QTEST_MAIN(LightKikaTest)
#include "test_light_kika.moc"
