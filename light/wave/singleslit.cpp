#include "lesson/Page.h"
#include "light/wave/sections.h"

#include <algorithm>
#include <cmath>

// Diffraction at a single slit: the wavelets behind a narrow slit, a second slit opened
// beside it, and the intensity a single slit casts on a screen.

namespace light::wave {

using enum Control;

namespace {

const QRgb kWhite = QBColor(15);
const QRgb kYellow = QBColor(14);

// ---- figures ----

void walls(Page& p) {
    p.box(295, 1, 300, 140, kWhite);
    p.box(295, 146, 300, 300, kWhite);
}

// A wave coming in from the left along the axis y, and the wavelets behind its slit.
void incomingWave(Page& p, double y, bool paced) {
    for (int i = 1; i <= 250; ++i) {
        p.pset(i + 50, y - 3 * std::sin(10 * kDegree * i), kYellow);
        if (paced) p.pause(0.005);
    }
}
void slitWavelets(Page& p, double y, bool paced) {
    for (int k = 1; k <= 15; ++k) {
        p.arc(300, y, 10 * k, kYellow, 4.71239, 1.5708);
        if (paced) p.pause(0.01);
    }
}

void secondSlit(Page& p) {
    p.solidFill(QBColor(0));
    p.box(295, 150, 300, 158, QBColor(0), Filled);
    p.fillStyle(FillStyles::Transparent);
    p.line(295, 150, 300, 150, kWhite);
    p.line(295, 158, 300, 158, kWhite);
}

void screen(Page& p) {
    p.solidFill(kWhite);
    p.box(430, 1, 620, 340, kWhite, Filled);
    p.fillStyle(FillStyles::Transparent);
}

// (sin φ / φ)² across the screen, its maximum at x 599 on y 150 and its first zeros at
// y 60 and 240. φ = 0 itself has no point.
void singleSlitCurve(Page& p, bool paced) {
    for (int i = -360; i <= 360; ++i) {
        if (i == 0) continue;
        const double phi = i * kDegree;
        const double v = 13 * std::sin(phi) / phi;
        p.pset(430 + v * v, i / 2.0 + 150, QBColor(12));
        if (paced) p.pause(0.003);
    }
}

void textColours(Page& p) {
    p.fillStyle(FillStyles::Transparent); // the walls are outlines only
    p.fontSize(14);
    p.fore(kWhite);
    p.back(QBColor(0));
}

void oneSlit(Page& p, bool paced) {
    p.cls();
    textColours(p);
    p.print(15, 10, QStringLiteral("光が細いスリットに入ってきたとします。"));
    walls(p);
    incomingWave(p, 143, paced);
    slitWavelets(p, 143, paced);
}

void secondOpened(Page& p) {
    oneSlit(p, false);
    p.print(15, 160, QStringLiteral("そのすぐ近くに、もう一つスリットを開けてみます。"));
    secondSlit(p);
}

void twoSlits(Page& p, bool paced) {
    secondOpened(p);
    incomingWave(p, 151, paced);
    slitWavelets(p, 151, paced);
}

void projected(Page& p) {
    twoSlits(p, false);
    p.print(0, 280, QStringLiteral("これをスクリーンに映すと、光の強さは右の図のようになります。"));
}

void onScreen(Page& p) {
    projected(p);
    screen(p);
}

void slitWidth(Page& p) {
    onScreen(p);
    singleSlitCurve(p, false);
    p.narrate(0, 300,
              {QStringLiteral("この赤い曲線は、幅の狭い単スリットによる回折光の強さです。"),
               QStringLiteral("中央の明るい部分の幅は、スリットの幅によって変わります。"),
               QStringLiteral("スリットを広げると狭くなり、狭めると広くなります。")});
}

// ---- steps ----

void narrowSlit(Page& p) {
    oneSlit(p, true);
}

void secondSlitStep(Page& p) {
    secondOpened(p);
}

void bothSlits(Page& p) {
    twoSlits(p, true);
}

void pattern(Page& p) {
    projected(p);
}

void screenStep(Page& p) {
    onScreen(p);
}

void intensity(Page& p) {
    onScreen(p);
    singleSlitCurve(p, true);
}

void width(Page& p) {
    slitWidth(p);
}

void wavelength(Page& p) {
    slitWidth(p);
    p.narrate(0, {QStringLiteral("中央の幅は光の波長によっても変わり、"),
                  QStringLiteral("波長が長いほど広くなります。")});
}

// The formula picture is wider than the window at every scale: the window cuts it off
// at its right edge, where nothing of the formula is. It stands under the narration,
// lower where the unscaled font takes more of the page.
void intensityFactor(Page& p) {
    p.cls();
    p.fore(kWhite);
    p.back(QBColor(0));
    p.print(20, 10, QStringLiteral("この回折強度の因子は次の式で表されます。"));
    p.print();
    p.narrate(20, {QStringLiteral("a：スリットの幅、θ：回折角、ξ = (1/2)・k・a・sin θ")});
    const double top = std::max(wholePixels(60).px, std::ceil(p.lineTop()));
    p.showPicture(Picture1, wholePixels(20), Device(top), 1000, 80, QStringLiteral("Light\\r-2.jpg"));
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, narrowSlit},
    {2, secondSlitStep},
    {3, bothSlits},
    {4, pattern},
    {5, screenStep},
    {6, intensity},
    {7, width},
    {8, wavelength},
    {9, intensityFactor},
};
// clang-format on

} // namespace

// Step 10 closes the section: on to the double slit, without a title card.
const lesson::Section singleSlit{
    .number = 5, .topic = "回折（１）", .steps = kSteps, .heading = {"回　  折   (1)", 220}};

} // namespace light::wave
