#include "matter/figures.h"

#include "lesson/Page.h"
#include "player/Random.h"

#include <cmath>

namespace matter {

void Cups(Page& p) {
    // Cup 1, blue, filled up to its surface at y 150. The right corner's arc starts at
    // 100 degrees with its radius drawn and runs round to 20 degrees.
    const QRgb blue = QBColor(1);
    p.line(300, 100, 300, 200, blue);
    p.line(400, 100, 400, 200, blue);
    p.line(320, 220, 380, 220, blue);
    p.arc(320, 200, 20, blue, 2.96706, 5.23599);
    p.arc(380, 200, 20, blue, -1.74533, 0.349066);
    p.line(300, 150, 400, 150, blue);
    p.fill(350, 180, blue, blue);

    // Cup 2, red, wider and filled up to y 160.
    const QRgb red = QBColor(12);
    p.line(450, 100, 450, 200, red);
    p.line(570, 100, 570, 200, red);
    p.line(470, 220, 550, 220, red);
    p.line(450, 160, 570, 160, red);
    p.arc(470, 200, 20, red, 2.96706, 4.88692);
    p.arc(550, 200, 20, red, -1.74533, 0.349066);
    p.fill(500, 180, red, red);

    // Vessel 1, green and empty.
    const QRgb green = QBColor(2);
    p.line(50, 100, 50, 200, green);
    p.line(150, 100, 150, 200, green);
    p.line(70, 220, 130, 220, green);
    p.arc(70, 200, 20, green, 3.14159, 4.71239);
    p.arc(130, 200, 20, green, 4.71239, 6.28318);

    // Vessel 2, a narrow cyan cylinder.
    const QRgb cyan = QBColor(3);
    p.line(80, 280, 80, 300, cyan);
    p.line(100, 280, 100, 300, cyan);
    p.line(80, 300, 100, 300, cyan);
}

void PersonAndRulers(Page& p) {
    // Head, body and arms, legs down to the feet.
    p.circle(150, 150, 50, p.foreColour());
    p.line(150, 200, 150, 280);
    p.lineTo(110, 352);
    p.line(150, 280, 190, 352);
    p.line(105, 265, 150, 222);
    p.lineTo(195, 265);
    // Eyes of three short strokes each, and a smiling mouth.
    const QRgb blue = QBColor(1);
    for (int x = 134; x <= 136; ++x)
        p.line(x, 150, x, 160, blue);
    for (int x = 164; x <= 166; ++x)
        p.line(x, 150, x, 160, blue);
    p.arc(150, 160, 25, QBColor(4), 3.92699, 5.49779);

    p.print(100, 20, QStringLiteral("彼（彼女）の背丈を計るのに用いる物差しは次のどちらですか？"));
    p.print(390, 50, QStringLiteral("1)"));
    p.print(500, 50, QStringLiteral("2)"));

    // Ruler 1 has marks every 4 units, ruler 2 every 8.
    p.box(390, 80, 410, 250, p.foreColour());
    p.box(500, 80, 520, 250, p.foreColour());
    for (int i = 1; i <= 37; ++i)
        p.line(390, 90 + 4 * i, 410, 90 + 4 * i);
    for (int i = 1; i <= 19; ++i)
        p.line(500, 86 + 8 * i, 520, 86 + 8 * i);
}

void Tap(Page& p) {
    // Handle: a cross-bar with knobs on a short stem.
    p.line(126, 14, 154, 14);
    p.line(126, 10, 126, 18);
    p.line(154, 10, 154, 18);
    p.line(140, 14, 140, 25);
    // Body.
    p.box(122, 25, 158, 75, p.foreColour());
    // Spout, bending down to its mouth at y 95.
    p.line(158, 40, 172, 40);
    p.arc(172, 58, 18, p.foreColour(), 0, 1.570796);
    p.line(190, 58, 190, 95);
    p.line(158, 60, 166, 60);
    p.arc(166, 68, 8, p.foreColour(), 0, 1.570796);
    p.line(174, 68, 174, 95);
    p.line(174, 95, 190, 95);
    // The pipe from the wall; the last line ends where the narration of the next step
    // begins.
    p.line(100, 38, 100, 82);
    p.line(100, 45, 122, 45);
    p.line(122, 75, 100, 75);
}

void WaterMolecule(Page& p) {
    p.fillStyle(FillStyles::Solid);
    p.fillColour(QBColor(12));
    p.circle(118, 132, 16, QBColor(12));
    p.circle(118, 218, 16, QBColor(12));
    p.fillColour(QBColor(9));
    p.circle(150, 175, 37, QBColor(9));
    p.fillStyle(FillStyles::Transparent);

    // Bonds.
    p.line(118, 132, 150, 175);
    p.line(118, 218, 150, 175);
    // The bond angle: strokes along the bonds, an arc between them with arrow heads.
    p.line(93, 250, 105, 235);
    p.line(93, 100, 105, 115);
    p.arc(150, 175, 83, p.foreColour(), 2.23402, 4.04916);
    p.line(90, 110, 99, 109);
    p.lineTo(98, 118);
    p.line(90, 240, 99, 241);
    p.lineTo(98, 232);
    p.print(1, 180, QStringLiteral("104.478±0.002°"));
    // The bond length, pointed at the upper bond.
    p.line(175, 113, 140, 160);
    p.lineTo(142, 150);
    p.line(140, 160, 148, 158);
    p.print(150, 100, QStringLiteral("0.95781±0.00003 Å"));
}

void NucleusAndScale(Page& p) {
    p.fillStyle(FillStyles::Solid);
    p.fillColour(QBColor(1));
    p.circle(150, 175, 2, QBColor(1));
    p.line(50, 290, 250, 290);
    for (int x : {50, 150, 250})
        p.line(x, 285, x, 290);
}

void Orbits(Page& p, bool eachFromItsStart, const std::function<void()>& afterPoint) {
    // The loops run on doubles built by repeated addition: nine ellipses (a = 0 .. pi),
    // each of 75 points (b = 0 .. about 7.26, a little more than one turn).
    constexpr double kPi = 3.141592;
    bool first = true;
    for (double a = 0; a <= kPi; a += kPi / 8) {
        const double ca = std::cos(a), sa = std::sin(a);
        bool start = eachFromItsStart || first;
        for (double b = 0; b <= 7.283184; b += kPi / 32) {
            const double x = 150 + 100 * ca * std::cos(b) - 30 * sa * std::sin(b);
            const double y = 175 - (100 * sa * std::cos(b) + 30 * ca * std::sin(b));
            if (start) {
                p.pset(x, y, QBColor(2));
                start = false;
            } else {
                p.lineTo(x, y, QBColor(10));
            }
            first = false;
            if (afterPoint) afterPoint();
        }
    }
}

void OxygenNucleus(Page& p) {
    struct Ball {
        double x, y;
        int fill, outline; // palette indices
    };
    // Yellow and blue balls outlined in green, light blue ones in cyan.
    static constexpr Ball kBalls[] = {
        {155, 158, 14, 2}, {165, 140, 14, 2}, {175, 145, 14, 2}, {175, 155, 14, 2}, {166, 161, 1, 2},
        {155, 145, 1, 2},  {156, 150, 9, 3},  {166, 150, 9, 3},  {176, 150, 9, 3},  {161, 141, 9, 3},
        {171, 141, 9, 3},  {161, 159, 9, 3},  {171, 159, 9, 3},
    };
    p.fillStyle(FillStyles::Solid);
    for (const Ball& b : kBalls) {
        p.fillColour(QBColor(b.fill));
        p.circle(b.x, b.y, 5, QBColor(b.outline));
    }
    p.print(50, 110, QStringLiteral("陽子"));
    p.print(50, 160, QStringLiteral("中性子"));
    p.line(90, 125, 148, 140);
    p.line(105, 170, 148, 162);
}

void galaxy(Page& p, double p1, double p2, double cx, double cy, double size, int colour, int mode) {
    const QRgb c = QBColor(colour);
    // The bounds are compared after each step is added, in doubles: five arms (0 to 6.4),
    // three rings (size, 1.05 size, 1.1 size) and 126 points (0 to 6.25) for every size
    // the lessons use.
    for (double arm = 0; arm <= 6.4; arm += 1.6) {
        for (double r = size; r <= size + size / 10; r += size / 20) {
            for (double t = 0; t <= 6.28; t += 0.05) {
                const double d = t * r;
                const double u1 = Rnd();
                const double x0 = d * std::cos(t) + (0.5 - u1) * d / 5;
                const double u2 = Rnd();
                const double y0 = d * std::sin(t) + (0.5 - u2) * d / 5;
                const double x1 = x0 * std::cos(arm) - y0 * std::sin(arm);
                const double y1 = x0 * std::sin(arm) + y0 * std::cos(arm);
                const double x2 = x1 * std::cos(p2) + y1 * std::sin(p2) * std::sin(p1);
                const double y2 = y1 * std::cos(p1);
                p.pset(cx + x2, cy + y2, c);
                if (mode == 1) p.seconds(0.005);
            }
        }
    }
}

} // namespace matter
