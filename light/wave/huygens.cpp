#include "lesson/Page.h"
#include "light/wave/sections.h"

#include <QLabel>
#include <cmath>

// Huygens' principle: a wave through a narrow hole spreads as a spherical wave, and
// every point of a wavefront is the source of a wavelet whose common tangent is the new
// wavefront.

namespace light::wave {

using enum Control;

namespace {

const QRgb kWhite = QBColor(15);
const QRgb kYellow = QBColor(14);

// ---- figures ----

const QString kNarrowHole = QStringLiteral("十分に狭い穴に、波が入ってきたとします。");

// The wall with its hole at y 140..146 and the wave coming in from the left.
void holeFigure(Page& p, bool paced) {
    p.cls();
    p.print(18, 20, kNarrowHole);
    p.line(350, 10, 350, 140);
    p.line(350, 146, 350, 310);
    for (int i = 1; i <= 290; ++i) {
        p.pset(i + 60, 143 - 4 * std::sin(10 * kDegree * i), kYellow);
        if (paced) p.pause(0.01);
    }
    p.lbldisp(lblText2, 20, 310, 15, QStringLiteral("穴を通り抜けた波は、どうなるでしょうか？"));
}

void wavefrontAB(Page& p) {
    p.cls();
    // The wavelets of the steps after this one are drawn in the fore colour: white, also
    // when the learner comes back here from the grey of the last step.
    p.fore(kWhite);
    p.lbldisp(lblText1, 20, 20, 15, QStringLiteral("ある瞬間の波面がABであったとします。"));
    p.arc(50, 200, 200, kYellow, 5.49779, 0.785398);
    p.print(185, 50, QStringLiteral("A"));
    p.print(185, 330, QStringLiteral("B"));
}

void wavelets(Page& p, bool paced) {
    wavefrontAB(p);
    p.lbldisp(lblText1, 20, 10, 15, QStringLiteral("波面上の各点A1, A2, A3, …を中心に、球面波が生じます。"));
    p.print(205, 105, QStringLiteral("A1"));
    p.arc(222, 110, 30, RGB(255, 0, 0), 5.41052, 1.91986);
    if (paced) p.pause(1);
    p.print(212, 130, QStringLiteral("A2"));
    p.arc(231, 130, 30, RGB(0, 255, 0), 5.23599, 1.74533);
    if (paced) p.pause(1);
    p.print(225, 165, QStringLiteral("A3"));
    p.arc(241, 165, 30, RGB(0, 0, 255), 5.06145, 1.6057);
}

// ---- steps ----

void particlesOrWaves(Page& p) {
    p.cls();
    p.fontSize(14);
    p.fore(kWhite);
    p.back(QBColor(0));
    p.print(20, 10, QStringLiteral("光は粒子か波か。それは17～18世紀の大きな問題でした。"));
    p.print();
    p.narrate(20, {QStringLiteral("ヤングとフレネルのスリットの実験が、光の波動性を確立しました。")});
}

void narrowHole(Page& p) {
    holeFigure(p, true);
}

void sphericalWave(Page& p) {
    holeFigure(p, false);
    const QRgb fore = p.foreColour();
    p.fore(QBColor(0));
    p.print(18, 20, kNarrowHole);
    p.fore(fore);
    p.hide(lblText2);
    for (int k = 1; k <= 15; ++k) {
        p.arc(350, 143, 10 * k, kYellow, 4.71239, 1.5708);
        p.pause(0.05, 30);
    }
    p.fore(kWhite);
    p.narrate(20, 25,
              {QStringLiteral("穴からは、あらゆる方向に球面波が広がっていきます。"),
               QStringLiteral("この球面波は、波面に垂直な方向へ一定の速さで空間を進みます。")});
}

void wavefront(Page& p) {
    wavefrontAB(p);
}

void secondaryWavelets(Page& p) {
    wavelets(p, true);
}

void newWavefront(Page& p) {
    wavelets(p, false);
    const QRgb fore = p.foreColour();
    p.arc(210, 90, 30, fore, 5.49779, 2.04203);
    p.arc(245, 190, 30, fore, 4.88692, 1.53589);
    p.arc(245, 210, 30, fore, 4.79965, 1.39626);
    p.lbldisp(lblText2, 20, 30, 15,
              QStringLiteral("これらの小さな球面すべてに接する面が、新しい波面になります。"));
    p.arc(50, 200, 225, kYellow, 5.49779, 0.785398);
}

void principle(Page& p) {
    p.fore(QBColor(11));
    p.print(290, 180, QStringLiteral("これをホイヘンス(Huygens)の原理といいます。"));
    p.fore(QBColor(7));
}

void hideLabels(Page& p) {
    p.hide({lblText1, lblText2});
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, particlesOrWaves},
    {2, narrowHole},
    {3, sphericalWave},
    {4, wavefront},
    {5, secondaryWavelets},
    {6, newWavefront},
    {7, principle, lesson::DrawnOver},
};
// clang-format on

} // namespace

// Step 8 hides the labels and closes the section: on to reflection and refraction.
const lesson::Section huygens{.number = 3,
                              .topic = "ホイヘンスの原理",
                              .steps = kSteps,
                              .beforeClosing = hideLabels,
                              .heading = {"ホイヘンス の 原理", 200}};

} // namespace light::wave
