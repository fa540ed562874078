// Wave optics played in the real light window on the virtual clock: the superposition
// exercise with its typed numbers, the way back from its sum, the message box that
// repeats it, the spectrum quizzes answered right and wrong, the double slit's central
// maximum, the travelling wave leaving nothing behind, and the close box in the middle.

#include "app/frmStart.h"
#include "dialogs/frmInputLight.h"
#include "lesson/Page.h"
#include "lesson/frmLight.h"
#include "light/procedures.h"
#include "light/wave/sections.h"
#include "player/Prompts.h"
#include "player/globals.h"
#include "tests/support/Harness.h"
#include "tests/support/LessonTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <cmath>

namespace {

using lessontest::count;
using lessontest::logical;

// Whether a point of the colour lies within a device pixel of the logical point.
bool near(const QImage& img, double x, double y, QRgb colour) {
    const int cx = int(std::nearbyint(x * gScale)), cy = int(std::nearbyint(y * gScale));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (img.valid(cx + dx, cy + dy) && (img.pixel(cx + dx, cy + dy) | 0xff000000) == colour)
                return true;
    return false;
}

// Answers the light dialogs with the next reply (two fields joined by ',' for the wave
// question), typed into the boxes, and the message box with the next choice.
struct Answers {
    QStringList replies;
    QList<bool> yes; // the replies to "もう一度やってみますか？"
    int asked = 0, boxes = 0;
    QList<int> questions;
    QStringList messages;
    std::function<void()> closeInstead;
    bool paste = false; // the wave's numbers go into the boxes as a paste, unfiltered
    void install() {
        setModalHook([this](QDialog& d) {
            if (closeInstead) {
                closeInstead();
                return;
            }
            if (auto* box = qobject_cast<QMessageBox*>(&d)) {
                messages << box->text();
                QAbstractButton* b =
                    box->button(yes.value(boxes++, false) ? QMessageBox::Yes : QMessageBox::No);
                if (!b) b = box->button(QMessageBox::Ok);
                if (b) b->click();
                return;
            }
            auto* dialog = qobject_cast<frmInputLight*>(&d);
            if (!dialog) {
                d.accept();
                return;
            }
            questions << gQuestion;
            const QStringList fields = replies.value(asked++, QStringLiteral("1")).split(QLatin1Char(','));
            if (gQuestion == 4 && paste) {
                dialog->txtInput1->setText(fields.value(0));
                dialog->txtInput2->setText(fields.value(1));
            } else if (gQuestion == 4) {
                QTest::keyClicks(dialog->txtInput1, fields.value(0));
                QTest::keyClicks(dialog->txtInput2, fields.value(1));
            } else {
                QTest::keyClicks(dialog->txtInput, fields.value(0));
            }
            if (dialog->OKbutton->isEnabled()) dialog->OKbutton->click();
        });
    }
};

frmLight& startWave(float scale) {
    harness::setUp(scale);
    gCourseName = QStringLiteral("光とは");
    frmLight& w = form<frmLight>();
    w.cmdMenu[3]->click();
    return w;
}

// The closing step of the section before, then Next up to the step: every step finds the
// window as the steps before it leave it.
void enter(frmLight& w, int section, int step) {
    const lesson::Section* before = light::Wave.section(section - 1);
    gSection = std::int16_t(section - 1);
    gStep = std::int16_t((before ? before->closingStep() : 0) - 1);
    w.cmdNext->click();
    while (gSection == section && gStep < step)
        w.cmdNext->click();
}

void scaleRows() {
    QTest::addColumn<float>("scale");
    QTest::newRow("1") << 1.0f;
    QTest::newRow("1.5") << 1.5f;
}

double wave(int a, int f, int i) {
    return a * std::sin(f * i * light::wave::kDegree);
}

} // namespace

class LightWaveTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        setModalHook(nullptr);
        harness::closeAllWindows();
    }

    // The two waves as typed and their sum, point by point; at the range limits the sum
    // reaches 100 either side of its axis and stays on the canvas.
    void superpositionSum_data() {
        QTest::addColumn<float>("scale");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("paste");
        for (float s : {1.0f, 1.5f}) {
            QTest::addRow("tour %g", s) << s << QStringLiteral("20,5") << QStringLiteral("30,10") << false;
            QTest::addRow("limits %g", s) << s << QStringLiteral("50,20") << QStringLiteral("50,20") << false;
            QTest::addRow("lowest %g", s) << s << QStringLiteral("5,5") << QStringLiteral("5,5") << false;
        }
        // Pasted text is read as the dialog rounded it: 12.5 is 12, 7.6 is 8, leading zeros
        // and blanks do not count.
        QTest::addRow("pasted") << 1.0f << QStringLiteral("12.5,7.6")
                                << QStringLiteral(" 00000000000000000030,10") << true;
    }
    void superpositionSum() {
        QFETCH(float, scale);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, paste);
        frmLight& w = startWave(scale);
        Answers answers;
        answers.replies = {first, second};
        answers.paste = paste;
        answers.install();
        enter(w, 2, 4);
        QCOMPARE(gSection, std::int16_t(2));
        QCOMPARE(gStep, std::int16_t(4));
        QCOMPARE(answers.questions, (QList<int>{4, 4}));
        auto value = [](const QString& pair, int k) {
            return int(std::nearbyint(pair.split(QLatin1Char(',')).value(k).trimmed().toDouble()));
        };
        const int a1 = value(first, 0), f1 = value(first, 1), a2 = value(second, 0), f2 = value(second, 1);
        const QImage img = w.image();
        for (int i : {1, 37, 90, 181, 250, 333, 360}) {
            QVERIFY2(near(img, i + 50, 80 - wave(a1, f1, i), QBColor(11)), qPrintable(QString::number(i)));
            QVERIFY2(near(img, i + 50, 180 - wave(a2, f2, i), QBColor(13)), qPrintable(QString::number(i)));
            QVERIFY2(near(img, i + 50, 280 - (wave(a1, f1, i) + wave(a2, f2, i)), QBColor(14)),
                     qPrintable(QString::number(i)));
        }
        const int sumPoints = count(img, logical(50, 170, 411, 399), QBColor(14));
        QVERIFY(sumPoints >= 300);
        QCOMPARE(count(img, logical(0, 0, 49, 399), QBColor(14)), 0);
    }

    // Back from the sum lands on the question for wave 1, asked again; from there Next
    // asks for wave 2 as on the way there.
    void backFromTheSum() {
        frmLight& w = startWave(1.0f);
        Answers answers;
        answers.replies = {QStringLiteral("20,5"), QStringLiteral("30,10"), QStringLiteral("40,6"),
                           QStringLiteral("10,15")};
        answers.install();
        enter(w, 2, 4);
        w.cmdReturn1->click();
        QCOMPARE(gSection, std::int16_t(2));
        QCOMPARE(gStep, std::int16_t(2));
        QCOMPARE(w.LastStep, std::int16_t(2));
        QCOMPARE(answers.questions.size(), 3);
        QVERIFY(w.cmdNext->isEnabled());
        const QImage img = w.image();
        QVERIFY(near(img, 100, 80 - wave(40, 6, 50), QBColor(11)));
        QCOMPARE(count(img, logical(50, 130, 411, 230), QBColor(13)), 0);
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(3));
        QCOMPARE(answers.questions.size(), 4);
        QVERIFY(near(w.image(), 100, 180 - wave(10, 15, 50), QBColor(13)));
    }

    // "もう一度やってみますか？": Yes clears and asks for wave 1 again, No goes on to
    // Huygens' principle.
    void again_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void again() {
        QFETCH(bool, yes);
        frmLight& w = startWave(1.0f);
        Answers answers;
        answers.replies = {QStringLiteral("20,5"), QStringLiteral("30,10"), QStringLiteral("45,7")};
        answers.yes = {yes};
        answers.install();
        enter(w, 2, 4);
        w.cmdNext->click();
        QCOMPARE(answers.messages, QStringList{QStringLiteral("もう一度やってみますか？")});
        if (yes) {
            QCOMPARE(gSection, std::int16_t(2));
            QCOMPARE(gStep, std::int16_t(2));
            QCOMPARE(answers.questions.size(), 3);
            const QImage img = w.image();
            QCOMPARE(count(img, logical(50, 170, 411, 399), QBColor(14)), 0); // the sum is gone
            QVERIFY(near(img, 100, 80 - wave(45, 7, 50), QBColor(11)));
        } else {
            QCOMPARE(gSection, std::int16_t(3));
            QCOMPARE(gStep, std::int16_t(0));
            QCOMPARE(answers.questions.size(), 2);
        }
        QVERIFY(w.cmdNext->isEnabled());
    }

    // Question 5 answered 2, then 1: the wrong text and its cue, the question again over
    // the same figure, then the right text, its cue and the rainbow in the visible band.
    void redSide_data() { scaleRows(); }
    void redSide() {
        QFETCH(float, scale);
        frmLight& w = startWave(scale);
        Answers answers;
        answers.replies = {QStringLiteral("2"), QStringLiteral("1")};
        answers.install();
        enter(w, 7, 4);
        QVERIFY(w.lblText2->isVisible());
        harness::sounds().cues.clear();
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(5));
        QCOMPARE(answers.questions, (QList<int>{5, 5}));
        QCOMPARE(harness::sounds().files(),
                 (QStringList{QStringLiteral("残念.wav"), QStringLiteral("正解.wav")}));
        QVERIFY(w.lblText3->isVisible());
        QCOMPARE(w.lblText3->text(), QStringLiteral("You are right"));
        QVERIFY(w.lblText1->isHidden());
        QVERIFY(w.lblText2->isHidden());
        QVERIFY(w.Image1->isVisible());
        QVERIFY(!w.Image1->picture().isNull());
        QCOMPARE(w.Image1->geometry(),
                 QRect(int(70 * scale), int(150 * scale), int(300 * scale), int(50 * scale)));
    }

    // The region quizzes take one answer each, say whether it was right and show the
    // right name either way.
    void regions_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("right");
        QTest::addColumn<double>("nameX");
        QTest::newRow("③ right") << 7 << QStringLiteral("6") << true << 175.0;
        QTest::newRow("③ wrong") << 7 << QStringLiteral("4") << false << 175.0;
        QTest::newRow("⑤ right") << 8 << QStringLiteral("1") << true << 250.0;
        QTest::newRow("⑤ wrong") << 8 << QStringLiteral("3") << false << 250.0;
    }
    void regions() {
        QFETCH(int, step);
        QFETCH(QString, reply);
        QFETCH(bool, right);
        QFETCH(double, nameX);
        frmLight& w = startWave(1.0f);
        Answers answers;
        answers.replies = {QStringLiteral("1"), QStringLiteral("6"), reply};
        if (step == 7) answers.replies = {QStringLiteral("1"), reply};
        answers.install();
        enter(w, 7, step - 1);
        const QImage before = w.image();
        QCOMPARE(count(before, logical(nameX, 60, nameX + 50, 78), QBColor(10)), 0);
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(step));
        QCOMPARE(answers.questions.last(), step == 7 ? 6 : 7);
        QCOMPARE(answers.questions.count(step == 7 ? 6 : 7), 1);
        QVERIFY(w.lblText1->isVisible());
        QCOMPARE(w.lblText1->text(),
                 right ? QStringLiteral("正解！　おめでとう ^.^") : QStringLiteral("違います！ >_<"));
        QCOMPARE(w.lblText1->palette().color(QPalette::WindowText).rgb(), right ? QBColor(13) : QBColor(12));
        QVERIFY(count(w.image(), logical(nameX, 60, nameX + 50, 78), QBColor(10)) > 20);
        QCOMPARE(w.ForeColor, QBColor(7));
    }

    // The central maximum of the double slit, four times the single slit's 50, stands at
    // y 50 with its neighbours; nothing is left at y 200 below it.
    void doubleSlitMaximum_data() { scaleRows(); }
    void doubleSlitMaximum() {
        QFETCH(float, scale);
        frmLight& w = startWave(scale);
        enter(w, 6, 2);
        const QImage img = w.image();
        const QRgb red = QBColor(12);
        QVERIFY(near(img, 300, 50, red));
        QVERIFY(near(img, 299.5, 50, red));
        QVERIFY(near(img, 300.5, 50, red));
        QCOMPARE(count(img, logical(295, 190, 305, 210), red), 0);
        // The curve's highest points are the central ones.
        QCOMPARE(count(img, logical(0, 0, 639, 48), red), 0);
        // The first principal side maxima (sin 4φ = 0 at φ = 45°) are lower by the
        // single-slit factor.
        const double phi = 45 * light::wave::kDegree;
        QVERIFY(near(img, 322.5, 250 - 200 * std::pow(std::sin(phi) / phi, 2), red));
    }

    // The travelling wave moves across the window and its last frame is erased: nothing
    // of it stays, only the heading.
    void travellingWave_data() { scaleRows(); }
    void travellingWave() {
        QFETCH(float, scale);
        frmLight& w = startWave(scale);
        enter(w, 1, 4);
        // In device pixels: the same band of the screen at every scale.
        const QRect band(0, 240, w.image().width(), 121);
        int midway = 0; // the most of the wave seen while it moves
        const qint64 t0 = harness::clock().msNow();
        for (int ms = 1000; ms < 1040; ms += 3)
            harness::clock().at(t0 + ms,
                                [&] { midway = std::max(midway, count(w.image(), band, QBColor(15))); });
        w.cmdNext->click();
        QCOMPARE(gStep, std::int16_t(5));
        QVERIFY2(midway > 100, qPrintable(QString::number(midway)));
        QCOMPARE(count(w.image(), band, QBColor(15)), 0);
        QVERIFY(count(w.image(), logical(10, 80, 120, 100), QBColor(15)) > 0);
        QCOMPARE(
            count(w.image(), QRect(QPoint(0, int(110 * scale)), w.image().rect().bottomRight()), QBColor(15)),
            0);
    }

    // The close box in every animation, in the middle of a wave being drawn, during the
    // message box and with a dialog open: back to the start window.
    void closeBox_data() {
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("inDialog");
        QTest::newRow("phase") << 1 << 4 << false;
        QTest::newRow("travelling") << 1 << 5 << false;
        QTest::newRow("wave 1 dialog") << 2 << 2 << true;
        QTest::newRow("Wave_sub1") << 2 << 3 << false;
        QTest::newRow("message box") << 2 << 5 << true;
        QTest::newRow("wavelets") << 3 << 3 << false;
        QTest::newRow("single slit") << 5 << 6 << false;
        QTest::newRow("double slit") << 6 << 2 << false;
        QTest::newRow("fields") << 7 << 1 << false;
        QTest::newRow("red side") << 7 << 5 << true;
        QTest::newRow("region") << 7 << 7 << true;
    }
    void closeBox() {
        QFETCH(int, section);
        QFETCH(int, step);
        QFETCH(bool, inDialog);
        QPointer<frmLight> w(&startWave(1.0f));
        Answers answers;
        answers.replies = section == 2 ? QStringList{QStringLiteral("20,5"), QStringLiteral("30,10")}
                                       : QStringList{QStringLiteral("1")};
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
};

QTEST_MAIN(LightWaveTest)
#include "test_light_wave.moc"
