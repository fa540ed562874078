#include "lesson/Page.h"
#include "light/iro/sections.h"

#include <cmath>

// Photopic and scotopic vision: rods and cones, their luminous-efficiency curves, and an
// experiment on how poorly red is seen at the edge of the visual field.

namespace light::iro {

namespace {

// ---- figures ----

// The scotopic curve (rods, blue) peaks at 507 nm, the photopic one (cones, red) at 555.
void efficiencyGraph(Page& p) {
    const double rods = wavelengthX(507), cones = wavelengthX(555);
    for (int x = 200; x <= 500; ++x) {
        p.pset(x, 250 - 180 * std::exp(-0.001 * (x - rods) * (x - rods)), QBColor(9));
        p.pset(x, 250 - 140 * std::exp(-0.0008 * (x - cones) * (x - cones)), QBColor(12));
    }
    const QRgb c = p.foreColour();
    p.line(200, 80, 200, 250, c);
    p.lineTo(500, 250, c);
    p.print(175, 100, QStringLiteral("比"));
    p.print(175, 130, QStringLiteral("視"));
    p.print(175, 160, QStringLiteral("感"));
    p.print(175, 190, QStringLiteral("度"));
    wavelengthLabels(p, 255, {400, 500, 600, 700});
    p.print(320, 275, QStringLiteral("波長"));
    p.print(235, 105, QStringLiteral("暗所視"));
    p.print(340, 130, QStringLiteral("明所視"));
}

// ---- steps ----

void rodsAndCones(Page& p) {
    contentPage(p);
    p.pieces(20, 10,
             {{QStringLiteral("網膜中の視細胞には")},
              {QStringLiteral("桿体"), 13},
              {QStringLiteral("と"), 15},
              {QStringLiteral("錐体"), 12},
              {QStringLiteral("があります。"), 15}});
    // The empty line after the first one is left out where the unscaled lines would
    // otherwise reach the graph's 比 (the last pixels of a line lie below its ink).
    if (p.lineTop() + 5 * p.lineHeight() - 3 <= Coord(100).pixels()) p.print();
    p.narrate(20, {QStringLiteral("桿体は光に敏感ですが、色の感覚は生じません（暗所視）。"),
                   QStringLiteral("錐体は感度は低いものの、色の感覚を生じます（明所視）。"),
                   QStringLiteral("それぞれの感度は、光の波長によっても変わります。")});
}

void curves(Page& p) {
    rodsAndCones(p);
    efficiencyGraph(p);
}

void redAtTheEdge(Page& p) {
    curves(p);
    p.narrate(20, 300,
              {QStringLiteral("錐体は黄斑付近に集まり、桿体は網膜の周辺部に多くあります。"),
               QStringLiteral("暗い所では緑や青は見えても、赤い物は見えにくくなります。"),
               QStringLiteral("視野の中心では赤がわかりますが、周辺ではわかりにくいのです。")});
    const QString invitation = QStringLiteral("これを確かめてみましょう。");
    // The invitation closes the narration under the graph where it ends above the
    // navigation row; at the smaller scales (the font is not scaled) it stands right of
    // the graph, over its wavelength axis's end.
    if (p.inkAboveButtons(p.lineTop())) {
        p.narrate(20, {invitation});
        return;
    }
    const double left = Coord(510).pixels();
    const int rows = p.textWidth(invitation) <= p.deviceWidth() - 4 - left ? 1 : 2;
    p.printColumn(Device(left), Device(Coord(248).pixels() - rows * p.lineHeight()),
                  Device(p.deviceWidth() - 4), invitation);
}

void experiment(Page& p) {
    p.cls();
    p.narrate(20, 50,
              {QStringLiteral("一点を見つめたまま、周辺の色がどれだけわかるかの実験です。"), QString()});
    p.narrate(20, 10,
              {QStringLiteral("片目を閉じ、もう一方の目を画面に数センチまで近づけて下さい。"), QString()});
    p.print(20, 150, QStringLiteral("キーを押したら，中心の円を見つめて下さい。"));
}

// A black disc with a light-blue rim, a red dot at its centre.
void redDot(Page& p) {
    p.cls();
    p.solidFill(QBColor(0));
    p.circle(320, 200, 197, QBColor(9));
    p.solidFill(QBColor(12));
    p.circle(320, 200, 3, QBColor(12));
}

// A blue dot at the centre, filled as the red one was (the style is set again so the
// step entered with Back finds it too), a red ring at the edge of the field.
void redRing(Page& p) {
    p.cls();
    p.solidFill(QBColor(9));
    p.circle(320, 200, 3, QBColor(9));
    p.fillStyle(FillStyles::Transparent);
    p.circle(320, 200, 197, QBColor(12));
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, rodsAndCones},
    {2, curves},
    {3, redAtTheEdge},
    {4, experiment},
    {5, redDot},
    {6, redRing},
};
// clang-format on

} // namespace

const lesson::Section photopic{
    .number = 4, .topic = "明所視と暗所視", .steps = kSteps, .heading = {"明 所 視 と 暗 所 視", 190}};

} // namespace light::iro
