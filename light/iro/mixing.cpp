#include "lesson/Page.h"
#include "light/iro/sections.h"
#include "player/Form.h"

#include <cmath>

// Mixing of light and of colour: the transmittance of three filters, additive mixing of
// light and subtractive mixing of pigments region by region, and the colour circle where
// each colour faces its complement.

namespace light::iro {

using enum Control;

namespace {

// Every circle and arc of the diagrams, and the border every fill stops at.
QRgb outline() {
    return QBColor(7);
}

// ---- the filter diagram ----

// Box outlines: the mixing diagrams' fills leave the fill style solid, which would fill
// them when the step is entered with Back.
void filterDiagram(Page& p) {
    const QRgb c = p.foreColour();
    p.fillStyle(FillStyles::Transparent);
    p.print(25, 95, QStringLiteral("1.0"));
    p.print(25, 155, QStringLiteral("0.5"));
    p.print(25, 215, QStringLiteral("0.0"));
    p.print(5, 120, QStringLiteral("透"));
    p.print(5, 160, QStringLiteral("過"));
    p.print(5, 200, QStringLiteral("度"));
    // Each box is split in thirds, blue, green and red from the left; each name stands
    // centred over its own third, where no row padded with blanks keeps it at any scale.
    for (double left : {50.0, 250.0, 450.0}) {
        int third = 0;
        for (const QString& name : {QStringLiteral("(B)"), QStringLiteral("(G)"), QStringLiteral("(R)")}) {
            const double centre = (left + 25 + 50 * third++) * p.scale();
            p.print(Device(centre - p.textWidth(name) / 2), 80, name);
        }
    }
    p.box(50, 100, 200, 230, c);
    p.box(250, 100, 400, 230, c);
    p.box(450, 100, 600, 230, c);
    // Cyan passes blue and green.
    p.line(150, 100, 150, 230, c);
    p.arc(100, 150, 50, c, 0, 3.141592);
    p.arc(175, 203, 25, c, 3.141592, 0);
    // Magenta passes blue and red.
    p.arc(275, 125, 25, c, 0, 3.141592);
    p.line(300, 125, 305, 208, c);
    p.line(300, 100, 300, 230, c);
    p.line(350, 100, 350, 230, c);
    p.arc(325, 205, 20, c, 3.316125, 6.108651);
    p.line(345, 207, 363, 136, c);
    p.arc(400, 150, 40, c, 1.570796, 2.792526);
    // Yellow passes green and red.
    p.line(500, 100, 500, 230, c);
    p.arc(487, 192, 40, c, 3.490658, 4.014256);
    p.arc(467, 215, 9, c, 3.839724, 5.672319);
    p.line(475, 220, 489, 154, c);
    p.arc(565, 180, 80, c, 1.570796, 2.792526);
    p.fore(QBColor(11));
    p.print(100, 240, QStringLiteral("シアン"));
    p.fore(QBColor(13));
    p.print(300, 240, QStringLiteral("マゼンタ"));
    p.fore(QBColor(14));
    p.print(500, 240, QStringLiteral("イエロー"));
}

// ---- the mixing diagrams ----

// A region fill bounded by the grey outlines, then the pause that lets it be watched.
void region(Page& p, double x, double y, QRgb c, bool paused = true) {
    p.fill(x, y, c, outline());
    if (paused) p.pause(1.5);
}

// A full circle comes out filled in the colour of the fill before it (the fill leaves the
// style solid), wiping the outlines inside it; the arcs drawn after it give back exactly
// the borders the next fill needs. The order of the strokes is what makes each region.
void additiveDiagram(Page& p) {
    p.circle(175, 150, 50, outline());
    region(p, 180, 150, QBColor(12));
    p.circle(150, 200, 50, outline());
    region(p, 150, 205, QBColor(10));
    p.arc(175, 150, 50, outline(), 3.228858, 5.235987);
    region(p, 175, 180, QBColor(14));
    p.circle(125, 150, 50, outline());
    region(p, 125, 150, QBColor(9));
    p.arc(175, 150, 50, outline(), 2.007128, 4.363322);
    region(p, 150, 175, magenta());
    p.arc(150, 200, 50, outline(), 0.9599309, 3.141592);
    region(p, 120, 185, cyan(), false);
    region(p, 150, 175, QBColor(15));
}

void subtractiveDiagram(Page& p) {
    p.circle(500, 150, 50, outline());
    region(p, 500, 150, magenta());
    p.circle(525, 200, 50, outline());
    region(p, 525, 200, QBColor(14));
    p.arc(500, 150, 50, outline(), 3.92699, 6.283184);
    region(p, 515, 175, QBColor(12));
    p.circle(475, 200, 50, outline());
    region(p, 465, 200, cyan());
    p.arc(500, 150, 50, outline(), 3.228858, 5.235987);
    region(p, 470, 170, QBColor(9));
    p.arc(525, 200, 50, outline(), 2.007128, 4.363322);
    region(p, 500, 220, QBColor(10), false);
    region(p, 500, 180, QBColor(0));
}

// Six sectors of 60 degrees, red, magenta, blue, cyan, green and yellow counter-clockwise.
// The circle is filled in the colour of the diagrams' last fill, black, which shows only
// in its tiny centre circle; set again so that the step entered with Back draws the same.
void colourCircle(Page& p) {
    p.solidFill(QBColor(0));
    p.circle(320, 275, 100, outline());
    p.circle(320, 275, 1, outline());
    p.fore(outline());
    p.line(220, 275, 420, 275);
    p.line(270, 362, 370, 187);
    p.line(370, 362, 270, 187);
    p.fill(370, 250, QBColor(12), outline());
    p.fill(320, 300, QBColor(10), outline());
    p.fill(250, 250, QBColor(9), outline());
    p.fill(320, 250, magenta(), outline());
    p.fill(250, 300, cyan(), outline());
    p.fill(370, 300, QBColor(14), outline());
}

// ---- steps ----

// The spectrum strip belongs to the diagrams only: hidden here too, for the step entered
// with Back from them.
void filters(Page& p) {
    p.hide(Image1);
    contentPage(p);
    p.narrate(20, 10,
              {QStringLiteral("赤・緑・青の単色光を混ぜると、多くの色が作れます。"),
               QStringLiteral("一方、絵の具の色は光を出しているのではありません。"),
               QStringLiteral("自然光の一部の色が吸収され、残った光を見ているのです。")});
    filterDiagram(p);
}

void subtractive(Page& p) {
    filters(p);
    p.fore(QBColor(15));
    p.narrate(20, 270, {QStringLiteral("シアンとマゼンタを混ぜると、緑と赤が吸収されて青が残ります。")});
    p.pieces(20, {{QStringLiteral("三原色を全部混ぜると黒になり、これを")},
                  {QStringLiteral("減法混色"), 14},
                  {QStringLiteral("といいます。"), 15}});
}

// The two labels sit under their diagrams at every scale.
void diagrams(Page& p) {
    p.cls();
    p.stretch(Image1, true);
    p.resize(Image1, 500, 50);
    p.showPicture(Image1, 75, 0, QStringLiteral("Light\\rainbow.jpg"));
    p.fontSize(24);
    p.fore(QBColor(14));
    p.print(280, 65, QStringLiteral("単色光"));
    p.fore(QBColor(7));
    p.back(QBColor(0));
    additiveDiagram(p);
    p.fontSize(20);
    p.fore(QBColor(10));
    p.print(120, 260, QStringLiteral("加法混色"));
    p.pause(1.5);
    subtractiveDiagram(p);
    p.print(475, 260, QStringLiteral("減法混色"));
    p.pause(1.5);
}

// The label above the circle at every scale (it was placed for the scale 1.5).
void circleStep(Page& p) {
    p.hide(Image1);
    p.cls();
    p.fore(QBColor(13));
    p.print(265, 140, QStringLiteral("カラーサークル"));
    colourCircle(p);
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, filters},
    {2, subtractive},
    {3, diagrams},
    {4, circleStep},
};
// clang-format on

} // namespace

const lesson::Section mixing{
    .number = 6, .topic = "光と色の混合", .steps = kSteps, .heading = {"光（色）の 混  合", 200}};

} // namespace light::iro
