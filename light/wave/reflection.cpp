#include "lesson/Page.h"
#include "light/wave/sections.h"

// Reflection and refraction by Huygens' construction: wavelets from the points where a
// wavefront meets the surface, growing while the dotted front sweeps along it.

namespace light::wave {

namespace {

const QRgb kGrey = QBColor(7);
const QRgb kBrown = QBColor(6);
const QRgb kCyan = QBColor(3);

// ---- figures ----

// The mirror, the two rays and the wavefronts arriving (left) and leaving (right), with
// the wavelets from three points of the mirror.
void reflectionFigure(Page& p, bool paced) {
    p.cls();
    p.fore(QBColor(10));
    p.print(260, 10, QStringLiteral("ホイヘンスの原理"));
    p.fore(kGrey);
    p.print(150, 70, QStringLiteral("反射"));
    p.solidFill(QBColor(2));
    p.box(50, 200, 250, 205, QBColor(2), Filled);
    p.polyline(kGrey, {50, 160, 100, 200, 200, 120});
    p.polyline(kGrey, {100, 120, 200, 200, 300, 120});
    p.line(100, 200, 138, 151, kBrown);
    p.line(200, 200, 162, 151, kBrown);
    p.arc(100, 200, 78, kCyan, 0.261799, 1.0472);
    for (int i = 0; i <= 50; i += 4) {
        p.pset(i + 120, 200 - 4.0 * i / 5, kGrey);
        if (paced) p.pause(0.05);
    }
    p.arc(120, 200, 62, kCyan, 0.261799, 1.0472);
    for (int i = 0; i <= 32; i += 4) {
        p.pset(i + 140, 200 - 4.0 * i / 5, kGrey);
        if (paced) p.pause(0.1);
    }
    p.arc(140, 200, 48, kCyan, 0.261799, 1.0472);
}

// The surface, the two rays bending into the lower medium and the slower wavelets there.
void refractionFigure(Page& p) {
    p.print(450, 70, QStringLiteral("屈折"));
    p.line(400, 200, 600, 200, kGrey);
    p.polyline(kGrey, {400, 160, 450, 200, 500, 290});
    p.polyline(kGrey, {450, 120, 550, 200, 575, 245});
    p.line(450, 200, 488, 151, kBrown);
    p.line(550, 200, 475, 246, kBrown);
    p.arc(450, 200, 51, kCyan, 4.88692, 5.75959);
    for (int i = 0; i <= 20; i += 2) {
        p.pset(i + 470, 9.0 * i / 5 + 200, kGrey);
        p.pause(0.1);
    }
    p.arc(470, 200, 41, kCyan, 4.88692, 5.75959);
    for (int i = 0; i <= 16; i += 2) {
        p.pset(i + 490, 9.0 * i / 5 + 200, kGrey);
        p.pause(0.1);
    }
    p.arc(490, 200, 31, kCyan, 4.88692, 5.75959);
}

// ---- steps ----

void directions(Page& p) {
    p.cls();
    p.fontSize(14);
    p.fore(QBColor(15));
    p.back(QBColor(0));
    p.print(50, 160, QStringLiteral("ホイヘンスの原理で、反射と屈折の方向が説明できます。"));
}

void reflectionStep(Page& p) {
    reflectionFigure(p, true);
}

void refractionStep(Page& p) {
    reflectionFigure(p, false);
    refractionFigure(p);
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, directions},
    {2, reflectionStep},
    {3, refractionStep},
};
// clang-format on

} // namespace

// Step 4 closes the section: on to diffraction, without a title card.
const lesson::Section reflection{
    .number = 4, .topic = "波の反射と屈折", .steps = kSteps, .heading = {"反　射 ・ 屈　折", 220}};

} // namespace light::wave
