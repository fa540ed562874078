#include "light/figures.h"

#include "app/PaintRegion.h"
#include "app/globals.h"
#include "player/frmLight.h"

#include <cmath>

void PrintAt(Canvas& c, double x, double y, const QString& text) {
    c.CurrentX = S(x);
    c.CurrentY = S(y);
    c.Print(text);
}

void FillAt(Canvas& c, double x, double y, QRgb fill, QRgb border) {
    PaintRegion(c, std::int16_t(std::nearbyint(S(x))), std::int16_t(std::nearbyint(S(y))), fill, border);
}

void AirWaterFigure(frmLight& w) {
    w.Line(S(100), S(100), S(450), S(200), QBColor(7), LineMode::BoxFilled); // air
    w.Line(S(100), S(200), S(450), S(300), QBColor(9), LineMode::BoxFilled); // water
    w.Line(S(100), S(100), S(450), S(300), QBColor(1), LineMode::Box);       // frame
    PrintAt(w, 470, 150, QStringLiteral("空気(屈折率 n = 1)"));
    PrintAt(w, 470, 250, QStringLiteral("水(屈折率 n = 1.33)"));
    w.Line(S(100), S(200), S(450), S(300), QBColor(9), LineMode::BoxFilled);
}

void IncidentRay(frmLight& w, double pauseMs) {
    const QRgb yellow = QBColor(14);
    for (int i = 0; i <= 120; ++i) {
        frmLight::Busy(50);
        const double x = std::nearbyint((i + 150) * gScale);
        const double y = std::nearbyint((i * 100 / 120 + 100) * gScale);
        w.PSet(x + 2, y - 2, yellow);
        w.PSet(x + 1, y - 1, yellow);
        w.PSet(x, y, yellow);
        w.PSet(x - 1, y + 1, yellow);
        if (pauseMs > 0) w.Pause(pauseMs);
    }
}

void CandidatePaths(frmLight& w) {
    const QRgb magenta = QBColor(5);
    w.Line(S(270), S(200), S(383), S(300), magenta);
    w.Line(S(330), S(300), S(270), S(200), magenta);
    w.LineTo(S(440), S(300), magenta);
    w.ForeColor = QBColor(7);
    PrintAt(w, 320, 300, QStringLiteral("1       　　　2       　　3"));
}

void ReflectionAngleMarks(frmLight& w) {
    w.Circle(S(300), S(250), S(30), w.ForeColor, 1.5708, 2.35619);  // incidence side
    w.Circle(S(300), S(250), S(30), w.ForeColor, 0.785398, 1.5708); // reflection side
    auto polyline = [&w](double x1, double y1, double x2, double y2, double x3, double y3) {
        w.Line(S(x1), S(y1), S(x2), S(y2));
        w.LineTo(S(x3), S(y3));
    };
    polyline(295, 215, 300, 220, 295, 225);
    polyline(305, 215, 300, 220, 305, 225);
    polyline(285, 220, 279, 228, 287, 227);
    polyline(315, 220, 321, 228, 312, 227);
}
