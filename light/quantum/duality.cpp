#include "lesson/Page.h"
#include "light/quantum/sections.h"
#include "player/Random.h"

#include <algorithm>
#include <array>
#include <cmath>

// The duality of light: through a slit it gives a diffraction image, a wave's doing;
// photographed on a plate the same image is made of grains, a particle's doing.

namespace light::quantum {

namespace {

// The random numbers of the plate's 300 dot pairs. They belong to the window, as long as
// it lives: Back one to the plate's page must find the same grains, while a visit that
// comes from the page before draws new ones. Index 0 is never used.
struct PlateNumbers {
    std::array<float, 301> PlateLeftX{}, PlateLeftY{}, PlateRightX{}, PlateRightY{};
};

// ---- figures ----

// The diffraction image of a single slit: the intensity (sin β / β)^2 with β = πx/25, so
// the central fringe stands on y = 150 with its top at (500, 0), the first dark fringes
// at x = 500 ± 25 and the side fringes, 4.7 % and 1.6 % as bright, about ±35.8 and
// ±61.5 from the middle. Traced point by point on its first page.
double singleSlit(double x) {
    const double beta = 3.14159265358979 * x / 25;
    if (beta == 0) return 1;
    const double s = std::sin(beta) / beta;
    return s * s;
}

void diffractionCurve(Page& p, bool traced) {
    for (int x = -70; x <= 70; ++x) {
        p.pset(500 + x, 150 - 150 * singleSlit(x), p.foreColour());
        if (traced) p.pause(0.01);
    }
}

// Where a grain lands for a uniform number u in [0, 1): the distance from the middle,
// 0 to 70, whose share of the image's light on that side is u, so the grains fall as
// densely as the image is bright, side fringes included.
double grainOffset(float u) {
    constexpr int kSteps = 700;
    static const std::array<double, kSteps + 1> cumulative = [] {
        std::array<double, kSteps + 1> c{};
        for (int k = 1; k <= kSteps; ++k)
            c[k] = c[k - 1] + singleSlit((k - 0.5) * 70.0 / kSteps);
        for (double& v : c)
            v /= c[kSteps];
        return c;
    }();
    const auto it = std::upper_bound(cumulative.begin(), cumulative.end(), double(u));
    const int k = int(std::clamp<std::ptrdiff_t>(it - cumulative.begin(), 1, kSteps));
    const double below = cumulative[k - 1], span = cumulative[k] - below;
    const double within = span > 0 ? (u - below) / span : 0;
    return (k - 1 + within) * 70.0 / kSteps;
}

// The photographic plate under the image: grains between x = 430 and 570, left and right
// of the middle in pairs, as dense as the image is bright, from new random numbers or
// from those the plate was drawn with last.
void photographicPlate(Page& p, bool traced, bool fresh) {
    PlateNumbers& n = p.kept<PlateNumbers>("quantumPlateNumbers");
    for (int i = 1; i <= 300; ++i) {
        if (fresh) {
            n.PlateLeftX[i] = Rnd();
            n.PlateLeftY[i] = Rnd();
            n.PlateRightX[i] = Rnd();
            n.PlateRightY[i] = Rnd();
        }
        p.pset(500 - grainOffset(n.PlateLeftX[i]), 300 - 150 * n.PlateLeftY[i], p.foreColour());
        p.pset(500 + grainOffset(n.PlateRightX[i]), 300 - 150 * n.PlateRightY[i], p.foreColour());
        if (traced) p.pause(0.01);
    }
}

void slitPage(Page& p, bool traced) {
    p.cls();
    p.fontSize(14);
    p.fore(QBColor(15));
    p.back(QBColor(0));
    p.narrate(20, 20,
              {QStringLiteral("波動光学で学んだように、スリットを通した"),
               QStringLiteral("光をスクリーンに当てると、干渉によって"),
               QStringLiteral("右のような回折像ができます。")});
    p.pieces(20, {{QStringLiteral("明らかに，光は")},
                  {QStringLiteral("波動性"), 14},
                  {QStringLiteral("を持っています。"), 15}});
    diffractionCurve(p, traced);
}

void platePage(Page& p, bool traced, bool fresh) {
    slitPage(p, false);
    p.narrate(20, 180,
              {QStringLiteral("この回折像を写真乾板に写して顕微鏡で"),
               QStringLiteral("見ると、右のように光は粒子として反応"),
               QStringLiteral("していることがわかります。")});
    p.pieces(20, {{QStringLiteral("光は物質と作用するとき")},
                  {QStringLiteral("粒子性"), 13},
                  {QStringLiteral("を示します。"), 15}});
    photographicPlate(p, traced, fresh);
}

// ---- steps ----

void waveNature(Page& p) {
    slitPage(p, true);
    p.setLastStep(p.step());
}

// New grains when the page is entered from the one before it; Back one from the next
// page finds the grains it left.
void particleNature(Page& p) {
    platePage(p, true, p.lastStep() < p.step());
    p.setLastStep(p.step());
}

void bothNatures(Page& p) {
    platePage(p, false, false);
    p.pieces(20, 320,
             {{QStringLiteral("電磁波である光は、粒子と波動の")},
              {QStringLiteral("二重性"), 12},
              {QStringLiteral("を持っていると考えられます。"), 15}});
    p.setLastStep(p.step());
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, waveNature},
    {2, particleNature},
    {3, bothNatures},
};
// clang-format on

} // namespace

// Step 4 closes the section: on to the wave nature of matter.
const lesson::Section duality{
    .number = 4, .topic = "波動と粒子の二重性", .steps = kSteps, .heading = {"粒子 と 波動 の 二重性", 200}};

} // namespace light::quantum
