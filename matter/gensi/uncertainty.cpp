#include "lesson/Page.h"
#include "matter/gensi/sections.h"

// The uncertainty principle: why the solar-system model fails, and why the electron's
// place is known only as a probability. One growing page; each step rebuilds it.

namespace matter::gensi {

using enum Control;

namespace {

const QRgb kFormula = RGB(255, 0, 0);

// Every page up to step 3 is without Planck's picture, also when Back one comes from
// step 4.
void modelFails(Page& p) {
    p.cls();
    p.hide(Picture2);
    p.back(QBColor(15));
    p.fore(QBColor(0));
    p.fontSize(16);
    p.narrate(20, 0,
              {QStringLiteral("原子の太陽系モデルは正しくないことがわかっています．"),
               QStringLiteral("回る電子は光を出してエネルギーを失い核に落ちるうえ，"),
               QStringLiteral("角運動量をもつはずですが，どちらも事実に反します．")});
}

void positionAndMomentum(Page& p) {
    modelFails(p);
    p.print(20, 70, QStringLiteral("電子は原子核の静電気力が支配する領域にとどまりますが，"));
    p.print(20, 90, QStringLiteral("位置と運動量を同時には決められません（不確定性原理）．"));
    p.print(20, 120, QStringLiteral("そのため電子の位置は，何度も測定したときの"));
    p.print(20, 140, QStringLiteral("確率としてしか知ることができません．"));
    p.print(20, 170, QStringLiteral("式で表すと，"));
    p.fore(kFormula);
    p.print(200, 190, QStringLiteral("ΔＰΔｘ ≧ h／4π"));
}

void energyAndTime(Page& p) {
    positionAndMomentum(p);
    p.fore(QBColor(0));
    p.print(20, 210, QStringLiteral("この原理はエネルギーと時間についても成り立ち，"));
    p.fore(kFormula);
    p.print(200, 230, QStringLiteral("ΔＥΔｔ ≧ h／4π"));
    p.fore(QBColor(0));
    p.print(20, 250, QStringLiteral("と表されます．"));
}

void planck(Page& p) {
    energyAndTime(p);
    p.print(200, 270, QStringLiteral("ｈはプランク定数という小さな量です．"));
    p.showPicture(Picture2, 20, 290, 600, 50, QStringLiteral("Material\\bs-22.jpg"));
}

// The invitation stands over the constant's picture's last pixels. At the smallest scale the
// unscaled line is too tall to end above the navigation row below the picture, which
// covers its top: there the picture, shown in the step before, is taken away for it.
void modernPicture(Page& p) {
    planck(p);
    p.fontSize(20);
    p.fore(QBColor(0));
    if (!p.inkAboveButtons(Coord(290).pixels() + 50)) p.hide(Picture2);
    p.print(50, 330, QStringLiteral("水素原子で，現代の原子像を見てみましょう．"));
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, modelFails},
    {2, positionAndMomentum},
    {3, energyAndTime},
    {4, planck},
    {5, modernPicture},
};
// clang-format on

} // namespace

// Step 6 ends the item.
const lesson::Section uncertainty{
    .number = 3, .topic = "不確定性原理", .steps = kSteps, .heading = {"不確定性原理", 190}};

} // namespace matter::gensi
