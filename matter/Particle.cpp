#include "lesson/Page.h"
#include "matter/figures.h"
#include "player/Random.h"

#include <cmath>

// The particle clouds and the quark floor of the hierarchy-of-matter lesson. Both draw on
// the window's canvas in the 640 x 400 system, scaled for the display.

namespace matter {

namespace {
// Degrees to radians as the matter lessons convert them (pi taken as 3.141592).
constexpr double kRadiansPerDegree = 0.0174532888888889;
} // namespace

void Particle(Page& p, std::int16_t dx, std::int16_t dy, std::int16_t R, std::int16_t col, std::int16_t deg) {
    // The grey disc with its blue rim.
    p.solidFill(QBColor(8));
    p.circle(dx, dy, R, QBColor(1));

    const double a = deg * kRadiansPerDegree;
    const double cosA = std::cos(a), sinA = std::sin(a);
    const QRgb dot = QBColor(col);
    // Three passes of dots. Each column j of the disc gets up to 20 chances for a dot; a dot
    // starts at the rim and every dot set moves the next one inwards by c cubed, so the
    // dots gather in a crescent along one side. v never falls below 1 - 0.9747 (the sum of
    // all twenty c cubed), so no dot lies outside the disc.
    for (int pass = 0; pass < 3; ++pass) {
        for (int j = -R; j <= R; ++j) {
            // The square term is a whole number; it is computed in 32 bits, so a radius
            // beyond 181 gives the right value instead of overflowing 16 bits.
            const double h = std::sqrt(double(int(R) * int(R) - j * j));
            double v = 1;
            // c is built by repeated addition, as the loop always was: 0, 0.03, ... 0.57
            // (twenty values; the sum passes 0.6 just before the twenty-first).
            for (double c = 0; c <= 0.6; c += 0.03) {
                if (Rnd() >= 0.6f) {
                    const double g = v * h;
                    p.pset(dx + j * cosA - g * sinA, dy + j * sinA + g * cosA, dot);
                    v = v - c * c * c;
                }
            }
        }
    }
}

void Plane(Page& p, std::int16_t col) {
    // The floor, then 61 rays from the vanishing point at (320, 50) to the bottom edge.
    p.box(0, 200, 639, 399, QBColor(5), Filled);
    for (int j = -20; j <= 40; ++j)
        p.line(320, 50, 60 * j, 399, QBColor(col));
    // Night above the horizon hides the rays' upper parts.
    p.box(0, 0, 639, 200, QBColor(0), Filled);
    // Receding cross lines whose spacing grows towards the viewer; the last few fall below
    // the canvas.
    double s = 0;
    for (int i = 1; i <= 20; ++i) {
        s = s + (i / 2.0) * (i / 2.0);
        const double y = s / 2 + 200;
        p.line(0, y, 639, y, QBColor(col));
    }
}

} // namespace matter
