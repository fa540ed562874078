#include "matter/figures.h"

#include "app/PaintRegion.h"
#include "app/globals.h"
#include "player/Canvas.h"

#include <cmath>

namespace figures {

namespace {

// Lines, arcs and text in the 640 x 400 system.
void line(Canvas& c, double x1, double y1, double x2, double y2, QRgb colour) {
    c.Line(S(x1), S(y1), S(x2), S(y2), colour);
}
void line(Canvas& c, double x1, double y1, double x2, double y2) {
    line(c, x1, y1, x2, y2, c.ForeColor);
}
void lineTo(Canvas& c, double x, double y, QRgb colour) {
    c.LineTo(S(x), S(y), colour);
}
void lineTo(Canvas& c, double x, double y) {
    lineTo(c, x, y, c.ForeColor);
}
void arc(Canvas& c, double x, double y, double r, QRgb colour, double start, double end) {
    c.Circle(S(x), S(y), S(r), colour, start, end);
}
void printAt(Canvas& c, double x, double y, const QString& text) {
    c.CurrentX = S(x);
    c.CurrentY = S(y);
    c.Print(text);
}
// A seed point of a region fill: device pixels, rounded to nearest with ties to even.
std::int16_t seed(double v) {
    return std::int16_t(std::nearbyint(S(v)));
}

} // namespace

void Cups(Canvas& c) {
    // Cup 1, blue, filled up to its surface at y 150. The right corner's arc starts at
    // 100 degrees with its radius drawn and runs round to 20 degrees.
    const QRgb blue = QBColor(1);
    line(c, 300, 100, 300, 200, blue);
    line(c, 400, 100, 400, 200, blue);
    line(c, 320, 220, 380, 220, blue);
    arc(c, 320, 200, 20, blue, 2.96706, 5.23599);
    arc(c, 380, 200, 20, blue, -1.74533, 0.349066);
    line(c, 300, 150, 400, 150, blue);
    PaintRegion(c, seed(350), seed(180), blue, blue);

    // Cup 2, red, wider and filled up to y 160.
    const QRgb red = QBColor(12);
    line(c, 450, 100, 450, 200, red);
    line(c, 570, 100, 570, 200, red);
    line(c, 470, 220, 550, 220, red);
    line(c, 450, 160, 570, 160, red);
    arc(c, 470, 200, 20, red, 2.96706, 4.88692);
    arc(c, 550, 200, 20, red, -1.74533, 0.349066);
    PaintRegion(c, seed(500), seed(180), red, red);

    // Vessel 1, green and empty.
    const QRgb green = QBColor(2);
    line(c, 50, 100, 50, 200, green);
    line(c, 150, 100, 150, 200, green);
    line(c, 70, 220, 130, 220, green);
    arc(c, 70, 200, 20, green, 3.14159, 4.71239);
    arc(c, 130, 200, 20, green, 4.71239, 6.28318);

    // Vessel 2, a narrow cyan cylinder.
    const QRgb cyan = QBColor(3);
    line(c, 80, 280, 80, 300, cyan);
    line(c, 100, 280, 100, 300, cyan);
    line(c, 80, 300, 100, 300, cyan);
}

void PersonAndRulers(Canvas& c) {
    // Head, body and arms, legs down to the feet.
    c.Circle(S(150), S(150), S(50), c.ForeColor);
    line(c, 150, 200, 150, 280);
    lineTo(c, 110, 352);
    line(c, 150, 280, 190, 352);
    line(c, 105, 265, 150, 222);
    lineTo(c, 195, 265);
    // Eyes of three short strokes each, and a smiling mouth.
    const QRgb blue = QBColor(1);
    for (int x = 134; x <= 136; ++x)
        line(c, x, 150, x, 160, blue);
    for (int x = 164; x <= 166; ++x)
        line(c, x, 150, x, 160, blue);
    arc(c, 150, 160, 25, QBColor(4), 3.92699, 5.49779);

    printAt(c, 100, 20, QStringLiteral("彼（彼女）の背丈を計るのに用いる物差しは次のどちらですか？"));
    printAt(c, 390, 50, QStringLiteral("1)"));
    printAt(c, 500, 50, QStringLiteral("2)"));

    // Ruler 1 has marks every 4 units, ruler 2 every 8.
    c.Line(S(390), S(80), S(410), S(250), LineMode::Box);
    c.Line(S(500), S(80), S(520), S(250), LineMode::Box);
    for (int i = 1; i <= 37; ++i)
        line(c, 390, 90 + 4 * i, 410, 90 + 4 * i);
    for (int i = 1; i <= 19; ++i)
        line(c, 500, 86 + 8 * i, 520, 86 + 8 * i);
}

void Tap(Canvas& c) {
    // Handle: a cross-bar with knobs on a short stem.
    line(c, 126, 14, 154, 14);
    line(c, 126, 10, 126, 18);
    line(c, 154, 10, 154, 18);
    line(c, 140, 14, 140, 25);
    // Body.
    c.Line(S(122), S(25), S(158), S(75), LineMode::Box);
    // Spout, bending down to its mouth at y 95.
    line(c, 158, 40, 172, 40);
    arc(c, 172, 58, 18, c.ForeColor, 0, 1.570796);
    line(c, 190, 58, 190, 95);
    line(c, 158, 60, 166, 60);
    arc(c, 166, 68, 8, c.ForeColor, 0, 1.570796);
    line(c, 174, 68, 174, 95);
    line(c, 174, 95, 190, 95);
    // The pipe from the wall; the last line ends where the narration of the next step
    // begins.
    line(c, 100, 38, 100, 82);
    line(c, 100, 45, 122, 45);
    line(c, 122, 75, 100, 75);
}

void WaterMolecule(Canvas& c) {
    c.FillStyle = FillStyles::Solid;
    c.FillColor = QBColor(12);
    c.Circle(S(118), S(132), S(16), QBColor(12));
    c.Circle(S(118), S(218), S(16), QBColor(12));
    c.FillColor = QBColor(9);
    c.Circle(S(150), S(175), S(37), QBColor(9));
    c.FillStyle = FillStyles::Transparent;

    // Bonds.
    line(c, 118, 132, 150, 175);
    line(c, 118, 218, 150, 175);
    // The bond angle: strokes along the bonds, an arc between them with arrow heads.
    line(c, 93, 250, 105, 235);
    line(c, 93, 100, 105, 115);
    arc(c, 150, 175, 83, c.ForeColor, 2.23402, 4.04916);
    line(c, 90, 110, 99, 109);
    lineTo(c, 98, 118);
    line(c, 90, 240, 99, 241);
    lineTo(c, 98, 232);
    printAt(c, 1, 180, QStringLiteral("104.478±0.002°"));
    // The bond length, pointed at the upper bond.
    line(c, 175, 113, 140, 160);
    lineTo(c, 142, 150);
    line(c, 140, 160, 148, 158);
    printAt(c, 150, 100, QStringLiteral("0.95781±0.00003 Å"));
}

void NucleusAndScale(Canvas& c) {
    c.FillStyle = FillStyles::Solid;
    c.FillColor = QBColor(1);
    c.Circle(S(150), S(175), 2 * gScale, QBColor(1));
    line(c, 50, 290, 250, 290);
    for (int x : {50, 150, 250})
        line(c, x, 285, x, 290);
}

void Orbits(Canvas& c, bool eachFromItsStart, const std::function<void()>& afterPoint) {
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
                c.PSet(S(x), S(y), QBColor(2));
                start = false;
            } else {
                lineTo(c, x, y, QBColor(10));
            }
            first = false;
            if (afterPoint) afterPoint();
        }
    }
}

void OxygenNucleus(Canvas& c) {
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
    c.FillStyle = FillStyles::Solid;
    for (const Ball& b : kBalls) {
        c.FillColor = QBColor(b.fill);
        c.Circle(S(b.x), S(b.y), S(5), QBColor(b.outline));
    }
    printAt(c, 50, 110, QStringLiteral("陽子"));
    printAt(c, 50, 160, QStringLiteral("中性子"));
    line(c, 90, 125, 148, 140);
    line(c, 105, 170, 148, 162);
}

} // namespace figures
