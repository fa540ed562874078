#include "lesson/Page.h"
#include "light/wave/sections.h"

#include <QLabel>
#include <cmath>

// The properties of waves: the sine wave u(x,t) = A sin(kx - ωt + δ), its phase at a
// fixed time (the curve) and at a fixed place (the circle), and a wave travelling across
// the window.

namespace light::wave {

using enum Control;

namespace {

// ---- figures ----

const QRgb kWhite = QBColor(15);
const QRgb kBlack = QBColor(0);

void formulaLines(Page& p) {
    p.cls();
    p.hide(lblText1);
    p.fontSize(14);
    p.back(kBlack);
    p.fore(kWhite);
    p.narrate(0, 0,
              {QStringLiteral("最も簡単な波は正弦関数 u(x,t) = A sin(kx − ωt + δ) です。"),
               QStringLiteral("A：振幅、k：波数（= 2π/λ）、ω：角振動数（= 2πν）")});
}

// The amplitude guides, the wavelength marks and the x axis of the upper curve, with the
// lines that say what the two curves and the circles show.
void waveDiagram(Page& p) {
    p.fore(kWhite);
    p.line(2, 125, 50, 125);
    p.line(2, 165, 50, 165);
    p.print(10, 126, QStringLiteral("振"));
    p.print(10, 146, QStringLiteral("幅"));
    p.line(50, 315, 50, 282);
    p.line(170, 315, 170, 282);
    p.line(80, 300, 50, 300);
    p.line(50, 300, 55, 297);
    p.line(50, 300, 55, 302);
    p.line(140, 300, 170, 300);
    p.line(170, 300, 165, 297);
    p.line(170, 300, 165, 302);
    p.print(95, 291, QStringLiteral("波長"));
    p.narrate(0, 40, {QStringLiteral("波の位相は、速さ v = ω/k = λν で x の方向に進みます。")});
    p.fore(QBColor(11));
    p.narrate(0, {QStringLiteral("曲線はある時刻の空間での位相、円はある場所での位相の変化です。"),
                  QStringLiteral("縦の線は、位相が空間を伝わっていく様子を示します。")});
    p.fore(kWhite);
    p.print(305, 130, QStringLiteral("x"));
    p.line(50, 145, 300, 145);
    p.line(300, 145, 295, 142);
    p.line(300, 145, 295, 148);
}

double a1(int i) {
    return 20 * std::sin(10 * kDegree * i);
}
double a2(int i) {
    return 35 * std::sin(3 * kDegree * i);
}
double x1(int i) {
    return i / 2.0 + 50;
}
double x2(int i) {
    return i + 50.0;
}

// A point and the one a device pixel below it: the curves the animation walks along.
void thickPoint(Page& p, double x, double y, QRgb c) {
    p.pset(x, y, c);
    p.pset(x, Device(Coord(y).pixels() + 1), c);
}

void markers(Page& p, int i, QRgb c) {
    p.line(x1(i), 124, x1(i), 104, c);
    p.line(x2(i), 264, x2(i), 229, c);
}

// The upper curve (period 18 pixels) and the lower one (period 120, one wavelength
// between the marks) are walked by a vertical marker each, turning the curve yellow,
// while the circles at the right grow and shrink with the phase at that place. One
// period behind the marks the white curves are restored.
void phaseAnimation(Page& p) {
    for (int i = 1; i <= 396; ++i) {
        p.pset(x1(i), 145 - a1(i), kWhite);
        p.pset(x2(i), 300 - a2(i), kWhite);
    }
    p.pause(5);
    for (int i = 1; i <= 396; ++i) {
        p.pause(5);
        markers(p, i, kWhite);
        if (i > 36) {
            // Points on the axis are left alone: the yellow there stays.
            const double v = 20 * std::sin(10 * kDegree * (i - 36));
            if (v > 0.01 || v < -0.00001) thickPoint(p, (i - 36) / 2.0 + 50, 145 - v, kWhite);
        }
        if (i > 120) thickPoint(p, i - 120 + 50.0, 300 - 35 * std::sin(3 * kDegree * (i - 120)), kWhite);
        markers(p, i, kWhite);
        p.pause(5);
        const QRgb upper = a1(i) > 0 ? QBColor(12) : QBColor(11);
        const QRgb lower = a2(i) >= 0 ? QBColor(9) : QBColor(14);
        p.circle(500, 145, std::abs(a1(i)), upper);
        p.circle(500, 300, std::abs(a2(i)), lower);
        p.pause(5);
        p.circle(500, 145, std::abs(a1(i)), kBlack);
        p.circle(500, 300, std::abs(a2(i)), kBlack);
        thickPoint(p, x1(i), 145 - a1(i), QBColor(14));
        thickPoint(p, x2(i), 300 - a2(i), QBColor(14));
        markers(p, i, kBlack);
    }
    p.autoRedraw(true);
    p.pause(10);
    for (int i = 1; i <= 396; ++i) {
        thickPoint(p, x1(i), 145 - a1(i), kWhite);
        thickPoint(p, x2(i), 300 - a2(i), kWhite);
    }
    p.pause(90);
    for (int i = 1; i <= 396; ++i) {
        thickPoint(p, x1(i), 145 - a1(i), kBlack);
        thickPoint(p, x2(i), 300 - a2(i), kBlack);
    }
    p.autoRedraw(true);
    p.pause(90);
}

// One frame of the travelling wave, in device pixels: from its tail at the left edge to
// its front at x = 100 + j; wavelength 100 pixels.
void travellingFrame(Page& p, int j, QRgb c) {
    for (int x = -j; x <= 100; ++x) {
        const double y = 300 + 50 * std::sin(-(x / 0.01) * 6.2832 / 10000);
        p.pset(Device(x + j), Device(y), c);
    }
}

// The front advances two pixels a frame; each frame is erased by drawing it again in
// black, so the last one leaves nothing behind.
void travellingWave(Page& p) {
    for (int j = 0; j <= 850; j += 2) {
        travellingFrame(p, j, kWhite);
        p.autoRedraw(true);
        p.pause(10);
        travellingFrame(p, j, kBlack);
        p.autoRedraw(true);
        p.pause(0.1);
    }
    p.pause(2000);
    p.autoRedraw(true);
}

// ---- steps ----

void introduction(Page& p) {
    p.cls();
    p.fontSize(18);
    p.back(QBColor(7));
    p.fore(kBlack);
    p.lbldisp(lblText1, 100, 180, 0, QStringLiteral("これから波動光学について学びましょう。"));
}

void sineWave(Page& p) {
    formulaLines(p);
}

void diagram(Page& p) {
    formulaLines(p);
    waveDiagram(p);
    p.autoRedraw(false);
}

void phase(Page& p) {
    formulaLines(p);
    waveDiagram(p);
    p.autoRedraw(true);
    phaseAnimation(p);
}

void travelling(Page& p) {
    p.cls();
    p.hide(lblText1);
    p.fontSize(14);
    p.back(kBlack);
    p.cls();
    p.fore(kWhite);
    p.print(10, 80, QStringLiteral("波の進行   "));
    travellingWave(p);
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, introduction},
    {2, sineWave},
    {3, diagram},
    {4, phase},
    {5, travelling},
};
// clang-format on

} // namespace

// Step 6 closes the section: on to superposition, without a title card.
const lesson::Section properties{
    .number = 1, .topic = "波の性質", .steps = kSteps, .heading = {"波　の　性　質", 220}};

} // namespace light::wave
