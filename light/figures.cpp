#include "light/figures.h"

#include "player/Page.h"

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
        const double x = nearestPixel((i + 150) * gScale);
        const double y = nearestPixel((i * 100 / 120 + 100) * gScale);
        p.pset(Device(x + 2), Device(y - 2), yellow);
        p.pset(Device(x + 1), Device(y - 1), yellow);
        p.pset(Device(x), Device(y), yellow);
        p.pset(Device(x - 1), Device(y + 1), yellow);
        if (pauseMs > 0) p.pause(pauseMs);
    }
}

void CandidatePaths(Page& p) {
    const QRgb magenta = QBColor(5);
    p.line(270, 200, 383, 300, magenta);
    p.line(330, 300, 270, 200, magenta);
    p.lineTo(440, 300, magenta);
    p.fore(QBColor(7));
    p.print(320, 300, QStringLiteral("1       　　　2       　　3"));
}

void ReflectionAngleMarks(Page& p) {
    const QRgb c = p.canvas().ForeColor;
    p.arc(300, 250, 30, c, 1.5708, 2.35619);  // incidence side
    p.arc(300, 250, 30, c, 0.785398, 1.5708); // reflection side
    p.polyline(c, {295, 215, 300, 220, 295, 225});
    p.polyline(c, {305, 215, 300, 220, 305, 225});
    p.polyline(c, {285, 220, 279, 228, 287, 227});
    p.polyline(c, {315, 220, 321, 228, 312, 227});
}

} // namespace light
