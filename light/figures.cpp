#include "light/figures.h"

#include "lesson/Page.h"

#include <QString>
#include <cmath>

namespace light {

void AirWaterFigure(Page& p) {
    p.box(100, 100, 450, 200, QBColor(7), Filled); // air
    p.box(100, 200, 450, 300, QBColor(9), Filled); // water
    p.box(100, 100, 450, 300, QBColor(1));         // frame
    p.print(470, 150, QStringLiteral("空気(屈折率 n = 1)"));
    p.print(470, 250, QStringLiteral("水(屈折率 n = 1.33)"));
    p.box(100, 200, 450, 300, QBColor(9), Filled);
}

void IncidentRay(Page& p, double pauseMs) {
    const QRgb yellow = QBColor(14);
    for (int i = 0; i <= 120; ++i) {
        Page::busy(50);
        // Each position is a whole device pixel; the dots around it are one pixel apart.
        const double x = nearestPixel(Coord(i + 150).pixels());
        const double y = nearestPixel(Coord(i * 100 / 120 + 100).pixels());
        p.pset(Device(x + 2), Device(y - 2), yellow);
        p.pset(Device(x + 1), Device(y - 1), yellow);
        p.pset(Device(x), Device(y), yellow);
        p.pset(Device(x - 1), Device(y + 1), yellow);
        if (pauseMs > 0) p.pause(pauseMs);
    }
}

void NumberRow(Page& p, const LabelRow& row) {
    const QString text = QString::fromUtf8(row.text);
    if (p.scale() == 1.5f) {
        p.print(row.x, row.y, text);
        return;
    }
    auto blank = [&](qsizetype i) { return text[i] == QLatin1Char(' ') || text[i] == QChar(0x3000); };
    for (qsizetype i = 0; i < text.size();) {
        if (blank(i)) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && !blank(end))
            ++end;
        // The text before the number is as wide in device pixels at every scale.
        p.print(row.x + p.textWidth(text.left(i)) / 1.5, row.y, text.mid(i, end - i));
        i = end;
    }
}

void CandidatePaths(Page& p) {
    const QRgb magenta = QBColor(5);
    p.line(270, 200, 383, 300, magenta);
    p.line(330, 300, 270, 200, magenta);
    p.lineTo(440, 300, magenta);
    p.fore(QBColor(7));
    NumberRow(p, {"1       　　　2       　　3", 320, 300});
}

void ReflectionAngleMarks(Page& p) {
    const QRgb c = p.foreColour();
    p.arc(300, 250, 30, c, 1.5708, 2.35619);  // incidence side
    p.arc(300, 250, 30, c, 0.785398, 1.5708); // reflection side
    p.polyline(c, {295, 215, 300, 220, 295, 225});
    p.polyline(c, {305, 215, 300, 220, 305, 225});
    p.polyline(c, {285, 220, 279, 228, 287, 227});
    p.polyline(c, {315, 220, 321, 228, 312, 227});
}

namespace {

struct EyeArc {
    int dx, dy, r, colour;
    double start, end;
};

// clang-format off
constexpr EyeArc kEyeArcs[] = {
    {  0,   0, 50, 15, 3.665191,  2.617993},  // eyeball wall, open at the front
    {  0,   0, 52, 15, 3.665191,  5.41052},   // outer wall, lower part
    {  0,   0, 52, 15, 5.846852,  2.617993},  // outer wall, back and top (a gap for the nerve)
    { 45, 110, 70, 15, 0.8726644, 1.745329},  // optic nerve, one side
    { 55,  30, 10, 15, 2.44346,   4.014256},  // optic nerve, other side
    {-20,   0, 30, 15, 2.70526,   3.577924},  // lens, front face
    {-70,   0, 30, 15, 5.846852,  0.4363322}, // lens, back face
    {-20,   0, 40, 15, 2.792526,  3.490658},  // cornea
    {-43, -10, 15,  4, 1.832595,  2.967059},  // iris, upper
    {-43,  10, 15,  4, 3.316125,  4.450589},  // iris, lower
    {-37, -18, 10,  2, 2.356194,  3.92699},   // ciliary muscle, upper, one side
    {-52, -18, 10,  2, 5.497786,  0.785398},  //   and the other
    {-37,  18, 10,  2, 2.356194,  3.92699},   // ciliary muscle, lower, one side
    {-52,  18, 10,  2, 5.497786,  0.785398},  //   and the other
    {  0,   0, 50,  6, 6.108651,  0.1745329}, // macula on the back wall
    { 75,   0, 28,  6, 2.879793,  3.403391},  // pit of the fovea
};
// clang-format on

} // namespace

void medama(Page& p, int x, int y) {
    p.fore(QBColor(15));
    for (const EyeArc& a : kEyeArcs)
        p.arc(x + a.dx, y + a.dy, a.r, QBColor(a.colour), a.start, a.end);
}

} // namespace light
