#include "lesson/Ask.h"
#include "lesson/Page.h"
#include "light/figures.h"
#include "light/wave/sections.h"
#include "player/Form.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

// Light as an electromagnetic wave: the two fields of a transverse wave, the spectrum
// from gamma rays to radio waves with the visible band enlarged, which side of it is
// red and the names of two regions, and the wave theory that was not the last word.

namespace light::wave {

using enum Control;

namespace {

const QRgb kWhite = QBColor(15);
const QRgb kYellow = QBColor(14);
const QRgb kLightGreen = QBColor(10);
const QRgb kGrey = QBColor(7);

// ---- figures ----

// The electric field (light red, upwards) and the magnetic field (yellow, along the
// oblique axis) of the wave, one pair of arrows every 8 degrees.
void fieldAnimation(Page& p) {
    for (int i = 1; i <= 720; i += 8) {
        const double s = 50 * std::sin(i * kDegree);
        const double x = i / 2.0 + 50;
        p.pset(x, 200 - s, QBColor(12));
        p.line(x, 200, x, 200 - s, QBColor(12));
        p.pset(x - s / 1.4142, 200 + s / 1.4142, kYellow);
        p.line(x, 200, x - s / 1.4142, 200 + s / 1.4142, kYellow);
        p.events();
        p.Sleep(10);
    }
}

// The wavelengths as powers of ten in metres, and the visible band enlarged below.
void spectrumChart(Page& p) {
    p.fillStyle(FillStyles::Transparent);
    p.fore(kWhite);
    p.print(250, 220, QStringLiteral("波長(nm)"));
    p.print(250, 0, QStringLiteral("波長(10^x^ x m)"));
    // Each number under its own tick at every scale, where the one padded row puts it.
    NumberRow(p, {"400                                         500         600       700", 70, 200});
    // The exponents end above the chart's top edge: where the unscaled font takes more
    // of the page, their row moves up just so far.
    const double exponents = std::min(20.0, 35 - (p.lineHeight() - 3) / p.scale());
    NumberRow(p,
              {"  -14         -12         -10          -8          -6          -4          -2          -1  "
               "         0",
               0, exponents});
    p.box(20, 35, 220, 100, kWhite);
    p.box(235, 35, 570, 100, kWhite);
    p.box(70, 150, 370, 200, kWhite);
    const QRgb fore = p.foreColour();
    p.polyline(fore, {65, 35, 65, 60, 60, 70, 60, 100});
    p.line(170, 35, 170, 100, fore);
    p.line(320, 35, 320, 100, fore);
    p.polyline(fore, {410, 35, 410, 65, 405, 70, 405, 100});
    p.line(570, 35, 570, 100, fore);
    p.line(220, 100, 70, 150, fore);
    p.line(235, 100, 370, 150, fore);
}

void regionNumbers(Page& p) {
    p.fore(kYellow);
    p.print(40, 40, QStringLiteral("①"));
    p.print(110, 40, QStringLiteral("②"));
    p.print(190, 40, QStringLiteral("③"));
    p.print(225, 40, QStringLiteral("④"));
    p.print(260, 40, QStringLiteral("⑤"));
    p.print(350, 40, QStringLiteral("⑥"));
    p.print(500, 40, QStringLiteral("⑦"));
}

void regionName(Page& p, double x, const QString& name) {
    p.fore(kLightGreen);
    p.print(x, 60, name);
    p.fore(kGrey);
}

void allRegionNames(Page& p) {
    p.fore(kLightGreen);
    p.print(5, 60, QStringLiteral("ガンマ線"));
    p.print(110, 60, QStringLiteral("Ｘ線"));
    p.print(175, 60, QStringLiteral("紫外線"));
    p.print(250, 60, QStringLiteral("赤外線"));
    p.print(330, 60, QStringLiteral("マイクロ波"));
    p.print(480, 60, QStringLiteral("ラジオ波"));
    p.print(200, 120, QStringLiteral("可視光線"));
    p.fore(kGrey);
}

// The spectrum's colours stretched into the enlarged visible band: violet at 400 nm on
// the left, red at 700 nm on the right.
void rainbow(Page& p) {
    p.stretch(Image1, true);
    p.showPicture(Image1, 70, 150, QStringLiteral("Light\\rainbow.jpg"));
    p.resize(Image1, wholePixels(300), wholePixels(50));
}

const QString kWrong = QStringLiteral("違います！ >_<");

// A region quiz: one answer, praised or corrected, and the right name in the chart
// either way.
void regionQuiz(Page& p, int question, double nameX, const QString& name) {
    AskOptions quiz;
    quiz.numeric = true;
    quiz.rightSound.clear();
    quiz.wrongSound.clear();
    quiz.feedback = [&p](bool right) {
        if (right)
            p.lbldisp(lblText1, 20, 340, 13, QStringLiteral("正解！　おめでとう ^.^"));
        else // the light red: the dark one hardly shows on the black ground
            p.lbldisp(lblText1, 20, 340, 12, kWrong);
    };
    p.ask(question, quiz);
    regionName(p, nameX, name);
}

// ---- steps ----

void transverseWave(Page& p) {
    p.cls();
    p.fontSize(14);
    p.fore(kWhite);
    p.back(QBColor(0));
    p.print(15, 10, QStringLiteral("電磁波は、電場と磁場が直角に振動しながら進む横波です。"));
    p.line(50, 200, 10, 250, kWhite);
    p.line(50, 200, 50, 120, kWhite);
    p.line(50, 200, 450, 200, kWhite);
    fieldAnimation(p);
}

void spectrum(Page& p) {
    p.cls();
    spectrumChart(p);
    p.lbldisp(lblText1, 20, 290, 15, QStringLiteral("波長を10のべき乗で表しています。"));
    p.lbldisp(lblText2, 20, 310, 15, QStringLiteral("電磁波の波長は、とても広い範囲にわたっています。"));
}

void visibleBand(Page& p) {
    spectrum(p);
    p.hide(lblText2);
    p.lbldisp(lblText1, 20, 290, 15, QStringLiteral("この狭い範囲が、人間の目に見える可視光線です。"));
    p.fore(kLightGreen);
    p.print(200, 120, QStringLiteral("可視光線"));
    p.fore(kGrey);
}

void whichSideRed(Page& p) {
    visibleBand(p);
    p.lbldisp(lblText1, 20, 290, 15, QStringLiteral("可視光線は、赤から紫までの色に分かれます。"));
    p.lbldisp(lblText2, 20, 310, 15, QStringLiteral("図の中で、赤はどちら側でしょうか？"));
}

// Asked until the answer is 1, each reply answered in the third label with its cue;
// the figure is not redrawn between the tries.
void redSideQuiz(Page& p) {
    whichSideRed(p);
    AskOptions quiz;
    quiz.numeric = true;
    quiz.rightSound = QStringLiteral("\\wave\\正解.wav");
    quiz.wrongSound = QStringLiteral("\\wave\\残念.wav");
    quiz.feedback = [&p](bool right) {
        p.lbldisp(lblText3, 10, 120, 12,
                  right ? QStringLiteral("You are right") : QStringLiteral("You are wrong"));
    };
    p.ask(5, quiz);
    rainbow(p);
    p.hide({lblText1, lblText2});
}

void regions(Page& p) {
    whichSideRed(p);
    rainbow(p);
    p.hide({lblText1, lblText2, lblText3});
    regionNumbers(p);
    p.fore(kWhite);
    p.narrate(Device(20), 260,
              {QStringLiteral("①～⑦の領域の名前は、次の中にあります。"), QString(),
               QStringLiteral("　1.赤外線, 2.マイクロ波, 3.ラジオ波"),
               QStringLiteral("  4.ガンマ線, 5.Ｘ線, 6.紫外線, 7.可視光線")});
    p.fore(kGrey);
}

void region3Quiz(Page& p) {
    regions(p);
    regionQuiz(p, 6, 175, QStringLiteral("紫外線"));
}

// What the first region quiz leaves, whatever was answered.
void region3Answered(Page& p) {
    p.lbldisp(lblText1, 20, 340, 4, kWrong);
    regionName(p, 175, QStringLiteral("紫外線"));
}

void region5Quiz(Page& p) {
    regions(p);
    region3Answered(p);
    p.hide(lblText1);
    regionQuiz(p, 7, 250, QStringLiteral("赤外線"));
}

void allNames(Page& p) {
    regions(p);
    region3Answered(p);
    regionName(p, 250, QStringLiteral("赤外線"));
    p.hide(lblText1);
    allRegionNames(p);
}

void waveTheoryWins(Page& p) {
    p.cls();
    // The rainbow goes; the picture control is left unstretched, as the other lessons
    // that load it expect.
    p.load(Image1, QString());
    p.hide(Image1);
    p.stretch(Image1, false);
    p.fore(kWhite);
    p.print(20, 80, QStringLiteral("ヤング、フレネル、フーコーの波動説がニュートンの粒子説を破り、"));
    // The second line takes the place of the blank one, so the page keeps its height.
    p.narrate(20, {QStringLiteral("マクスウェルがそれを光の電磁波説として完成させました。")});
    p.fore(kLightGreen);
    p.narrate(100, {QStringLiteral("光は粒子ではなく、波である！"), QString()});
    p.fore(kGrey);
}

void everyoneConvinced(Page& p) {
    waveTheoryWins(p);
    p.fore(kWhite);
    p.narrate(100, {QStringLiteral("誰もがそう確信しました。"), QString()});
    p.narrate(20, {QStringLiteral("物理学者は失業し、もう誰も退屈な物理を学ばなくてよい！")});
    p.fore(kGrey);
}

void notPerfect(Page& p) {
    everyoneConvinced(p);
    p.fore(kWhite);
    p.narrate(20, {QString(), QStringLiteral("ところが、19世紀の終わりになると、"), QString(),
                   QStringLiteral("波動説では説明できない現象がいくつも現れてきました。"), QString()});
    p.fore(kLightGreen);
    p.narrate(100, {QStringLiteral("光の波動説は、完全ではなかったのです。")});
    p.fore(kGrey);
}

void notAWave(Page& p) {
    p.cls();
    p.fore(kYellow);
    p.fontSize(18);
    p.print(150, 150, QStringLiteral("光は波である、しかし波ではない！"));
    p.fore(kGrey);
    p.fontSize(14);
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, transverseWave},
    {2, spectrum},
    {3, visibleBand},
    {4, whichSideRed},
    {5, redSideQuiz},
    {6, regions},
    {7, region3Quiz},
    {8, region5Quiz},
    {9, allNames},
    {10, waveTheoryWins},
    {11, everyoneConvinced},
    {12, notPerfect},
    {13, notAWave},
};
// clang-format on

constexpr lesson::QuizRow kQuizzes[] = {
    {5, 5, "1", "2"},                       // red is on the right side, asked until right
    {7, 6, "6", "4", lesson::Judged::Once}, // region ③: ultraviolet
    {8, 7, "1", "3", lesson::Judged::Once}, // region ⑤: infrared
};

} // namespace

// Step 14 ends the item: in the whole course the quantum interpretation follows.
const lesson::Section electromagnetic{
    .number = 7, .topic = "電磁波としての光", .steps = kSteps, .quizzes = kQuizzes, .heading = {"光", 280}};

} // namespace light::wave
