#include "lesson/Page.h"
#include "light/figures.h"
#include "light/iro/sections.h"

#include <cmath>

// The vision of the bee: its visible range beside ours, the compound eye beside the human
// eye, and how an insect keeps a constant angle to a light source. The end of the course.

namespace light::iro {

namespace {

constexpr double kDegree = 0.01745329;

// ---- figures ----

// The wavelengths are in nanometres, as everywhere else in the course. The two ranges
// are outlines in their own colours: the fills of the colour circle left the fill style
// solid, which would fill them with its yellow.
void visibleRanges(Page& p) {
    contentPage(p);
    p.fillStyle(FillStyles::Transparent);
    p.print(390, 15, QStringLiteral("波長：nm"));
    p.print(290, 30, QStringLiteral("400"));
    p.print(480, 30, QStringLiteral("700"));
    p.print(180, 65, QStringLiteral("人間の可視範囲"));
    p.box(300, 50, 490, 100, QBColor(12));
    p.print(150, 125, QStringLiteral("蜜蜂の可視範囲"));
    p.box(270, 110, 470, 160, QBColor(9));
    p.print(250, 165, QStringLiteral("350"));
    p.print(455, 165, QStringLiteral("650"));
}

// A point at angle phi and radius r about the centre of the compound eye.
double eyeX(double r, double phi) {
    return 320 + r * std::cos(phi);
}
double eyeY(double r, double phi) {
    return 350 - r * std::sin(phi);
}

void radial(Page& p, double r1, double phi1, double r2, double phi2, QRgb c) {
    p.line(eyeX(r1, phi1), eyeY(r1, phi1), eyeX(r2, phi2), eyeY(r2, phi2), c);
}

// Seven facets from 95 to 155 degrees, each with its cone, rhabdom, pigment cells and lens.
void compoundEye(Page& p) {
    p.arc(320, 350, 100, QBColor(15), 1.570796, 2.792526);
    p.arc(320, 350, 95, QBColor(15), 1.570796, 2.792526);
    const QRgb fg = p.foreColour();
    const QRgb cone = QBColor(14);
    const QRgb pigment = QBColor(13);
    for (double t = 1.65806; t <= 2.792526; t += 0.1745329) {
        radial(p, 100, t, 95, t, fg);
        radial(p, 93, t + 2 * kDegree, 75, t + 2 * kDegree, cone);
        radial(p, 93, t - 2 * kDegree, 75, t - 2 * kDegree, cone);
        radial(p, 75, t + 2 * kDegree, 70, t + 5 * kDegree, cone);
        radial(p, 75, t + 8 * kDegree, 70, t + 5 * kDegree, cone);
        radial(p, 70, t + 4 * kDegree, 50, t + 4 * kDegree, cone);
        radial(p, 70, t + 5 * kDegree, 50, t + 5 * kDegree, cone);
        for (int d = -1; d <= 1; ++d)
            radial(p, 94, t + d * kDegree, 71, t + d * kDegree, pigment);
        p.arc(320, 350, 93, cone, t + 0.0349066, t + 0.139626);
    }
}

// The names and the part labels, in their colour (the fore colour), so that drawing them
// again in black takes them away.
void eyeNames(Page& p) {
    p.print(390, 110, QStringLiteral("ヒトの眼"));
    p.print(390, 280, QStringLiteral("昆虫の複眼"));
}

void partLabels(Page& p) {
    const QRgb c = p.foreColour();
    p.line(315, 270, 370, 250, c);
    p.print(380, 245, QStringLiteral("色素細胞"));
    p.line(310, 290, 370, 310, c);
    p.print(380, 305, QStringLiteral("棒状体(網膜細胞)"));
    p.line(170, 315, 235, 320, c);
    p.print(115, 305, QStringLiteral("錐晶体"));
}

void raysToTheHumanEye(Page& p) {
    const QRgb c = QBColor(14);
    for (int k = 1; k <= 243; k += 3)
        p.pset(125 + k, 120, c);
    for (int k = 1; k <= 245; k += 3)
        p.pset(125 + k, 120 - k / 25.0, c);
}

void raysToTheCompoundEye(Page& p) {
    const QRgb c = QBColor(10);
    for (int k = 1; k <= 195; k += 3)
        p.pset(125 + k, 120 + 1.18 * k, c);
    for (int k = 1; k <= 125; k += 3)
        p.pset(125 + k, 120 + 1.28 * k, c);
}

// ---- steps ----

void ranges(Page& p) {
    visibleRanges(p);
}

void noRed(Page& p) {
    visibleRanges(p);
    p.print(20, 210, QStringLiteral("蜜蜂は、人間が赤と呼んでいる光を感じません。"));
}

void twoEyes(Page& p) {
    p.cls();
    medama(p, 320, 120);
    eyeNames(p);
    compoundEye(p);
}

void eyeParts(Page& p) {
    twoEyes(p);
    partLabels(p);
}

void humanRays(Page& p) {
    eyeParts(p);
    raysToTheHumanEye(p);
}

void insectRays(Page& p) {
    humanRays(p);
    raysToTheCompoundEye(p);
}

void labelsAway(Page& p) {
    insectRays(p);
    p.fore(QBColor(0));
    eyeNames(p);
    partLabels(p);
    p.fore(QBColor(15));
}

void flight(Page& p) {
    labelsAway(p);
    const QRgb c = p.foreColour();
    p.line(320, 350, 320, 210, c);
    p.line(320, 210, 315, 215, c);
    p.line(320, 210, 325, 215, c);
    p.arc(320, 350, 130, QBColor(11), 1.570796, 2.268928);
    p.print(265, 205, QStringLiteral("θ"));
    p.print(330, 220, QStringLiteral("昆虫の進行方向"));
    p.print(350, 250, QStringLiteral("光源に対し一定の角θを保ちます。"));
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, ranges},
    {2, noRed},
    {3, twoEyes},
    {4, eyeParts},
    {5, humanRays},
    {6, insectRays},
    {7, labelsAway},
    {8, flight},
};
// clang-format on

} // namespace

// Step 9 ends the light course: back to the menu with only the exit button.
const lesson::Section bee{
    .number = 8, .topic = "ミツバチの視覚", .steps = kSteps, .heading = {"蜜　蜂(bee)", 220}};

} // namespace light::iro
