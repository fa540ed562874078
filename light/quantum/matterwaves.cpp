#include "lesson/Page.h"
#include "light/quantum/sections.h"

#include <algorithm>
#include <cmath>

// The wave nature of matter: E = hν and p = h/λ link particle and wave; de Broglie
// read the second backwards for moving matter, electron diffraction proved him right,
// and the walking learner's own wavelength shows why everyday bodies hide it.

namespace light::quantum {

using enum Control;

namespace {

// ---- figures ----

// A picture in Picture1 at a place of the 640 x 400 system cut to whole pixels, at its
// natural size in pixels.
void formulaPicture(Page& p, double left, Coord top, int width, int height, const QString& file) {
    p.showPicture(Picture1, wholePixels(left), wholePixels(top), width, height, file);
}

// ---- steps ----

void isTheElectronAWave(Page& p) {
    p.cls();
    p.fontSize(14);
    p.fore(QBColor(15));
    p.back(QBColor(0));
    formulaPicture(p, 20, 30, 600, 250, QStringLiteral("Light\\r-7.jpg"));
}

// The larger picture reaches past the bottom of the window and is cut by it.
void electronDiffraction(Page& p) {
    isTheElectronAWave(p);
    formulaPicture(p, 20, 30, 600, 400, QStringLiteral("Light\\r-8.jpg"));
}

void twoRelations(Page& p) {
    p.cls();
    p.fore(QBColor(14));
    p.print(150, 20, QStringLiteral("E = h ・ν"));
    p.print(150, 60, QStringLiteral("p = h / λ"));
    p.fore(QBColor(11));
    p.print(400, 20, QStringLiteral("1)"));
    p.print(400, 60, QStringLiteral("2)"));
    p.pieces(80, 100,
             {{QStringLiteral("左辺のエネルギーと運動量は"), 15},
              {QStringLiteral("物質"), 13},
              {QStringLiteral("に特有の量、"), 15}});
    p.pieces(80, 120,
             {{QStringLiteral("右辺の振動数と波長は"), 15},
              {QStringLiteral("波動"), 13},
              {QStringLiteral("に特有の量で、"), 15}});
    p.pieces(80, 140,
             {{QStringLiteral("両者は"), 15},
              {QStringLiteral("プランクの定数"), 10},
              {QStringLiteral("で結ばれています。"), 15}});
}

void deBroglieReasoned(Page& p) {
    twoRelations(p);
    p.narrate(80, {QString(), QStringLiteral("これらはまさに物質と波動を結びつける式です。"),
                   QStringLiteral("さて、ド・ブロイは次のように考えました (1923)。")});
}

void readBackwards(Page& p) {
    deBroglieReasoned(p);
    // The empty line between the two thoughts is left out where the page has no room for
    // it and the conclusion of the next step (the unscaled font on a small page).
    const bool roomy = p.aboveButtons(Device(p.lineTop()), 8).pixels() == p.lineTop();
    p.narrate(80, {QString(), QStringLiteral("波動である光が物質と作用するとき粒子的なエネルギー"),
                   QStringLiteral("を示すことを式 1) が表すのなら（右から左）、")});
    if (roomy) p.narrate(80, {QString()});
    p.narrate(80, {QStringLiteral("運動量と波長を結ぶ式 2) は、運動する物質にも"),
                   QStringLiteral("あてはまるのではないか（左から右）？")});
}

// The thesis that put matter waves forward is of 1924.
// The conclusion comes after an empty line; where that would put it under the navigation
// row (the unscaled font on a small page), straight after the question, above the row.
void movingBodiesAreWaves(Page& p) {
    readBackwards(p);
    const bool room = p.aboveButtons(Device(p.lineTop()), 2).pixels() == p.lineTop();
    if (room) p.print();
    p.pieces(80, room ? Coord(Device(p.lineTop())) : p.aboveButtons(Device(p.lineTop())),
             {{QStringLiteral("すなわち，")},
              {QStringLiteral("運動する物体は波動性を示す！"), 14},
              {QStringLiteral("(1924)。"), 15}});
}

void davissonGermer(Page& p) {
    p.cls();
    p.fore(QBColor(15));
    p.narrate(20, 20,
              {QStringLiteral("G. P. トムソンは薄い結晶膜に電子を通して回折の輪を写し、"),
               QStringLiteral("デヴィッソンとガーマーはニッケル単結晶で反射する電子の回折"),
               QStringLiteral("を確かめて、ド・ブロイの物質波を証明しました (1927)。")});
}

// The momentum with its formula in italics between upright words, and the wavelength's
// picture under the line that leads to it. Where the unscaled font takes more of the
// page, the picture moves down to the line after the narration, and the lines under it
// keep their distance from it.
void walkingLearner(Page& p) {
    davissonGermer(p);
    p.narrate(20, {QString()});
    p.printWrapped(20, QStringLiteral("体重 50.0 kg のあなたが 0.25 m/s で歩くとすると、"));
    p.pieces(20, {{QStringLiteral("運動量は")},
                  {QStringLiteral(" p = mv "), -1, true},
                  {QStringLiteral(" = (50.0kg)(0.25m/s) = 12.5 kg m/s")}});
    p.narrate(20, {QStringLiteral("ド・ブロイの関係式から、")});
    const double top = std::max(wholePixels(120).px, std::ceil(p.lineTop()));
    formulaPicture(p, 20, Device(top), 500, 40, QStringLiteral("Light\\r-6.jpg"));
    p.narrate(20, Device(std::max(Coord(160).pixels(), top + 60)),
              {QStringLiteral("これは小さすぎて、影響もなく検出もできません。"),
               QStringLiteral("身の回りの物体の波動性は無視してかまいません。")});
}

void electronMicroscope(Page& p) {
    walkingLearner(p);
    p.print();
    // Shown again where the step before placed it.
    formulaPicture(p, 20, Device(p.devicePos(Picture1).y()), 500, 40, QStringLiteral("Light\\r-6.jpg"));
    p.narrate(20, {QStringLiteral("しかし原子より小さな粒子では、波動性が現れてきます。")});
    p.pieces(20, {{QStringLiteral("原子や分子の世界の観察に今日広く使われている")},
                  {QStringLiteral("電子顕微鏡"), 13},
                  {QStringLiteral("は"), 15}});
    p.narrate(20, {QStringLiteral("電子の波動性を利用しているのです。")});
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, isTheElectronAWave},
    {2, electronDiffraction},
    {3, twoRelations},
    {4, deBroglieReasoned},
    {5, readBackwards},
    {6, movingBodiesAreWaves},
    {7, davissonGermer},
    {8, walkingLearner},
    {9, electronMicroscope},
};
// clang-format on

} // namespace

// Step 10 ends the item.
const lesson::Section matterWaves{
    .number = 5, .topic = "物質波", .steps = kSteps, .heading = {"物質 の 波動性", 220}};

} // namespace light::quantum
