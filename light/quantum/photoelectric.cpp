#include "lesson/Page.h"
#include "light/quantum/sections.h"

// The photoelectric effect: light knocks electrons out of a body; their number follows the
// light's intensity, their speed only its frequency, and they leave at once however weak
// the light, which a wave cannot explain.

namespace light::quantum {

using enum Control;

namespace {

// ---- figures ----

// One emission: a photon comes down at 45 degrees onto the top face of the body, and an
// electron leaves the face at 45 degrees upward to the right, a tenth of a unit a frame.
// On the first page the learner watches it; the pages after it run the same frames with
// both sprites hidden and without waiting, so nothing moves on the screen.
void emission(Page& p, bool watched) {
    p.load(Image1, QStringLiteral("Light\\photon.bmp"));
    p.moveSprite(Image1, 270, 60);
    p.setVisible(Image1, watched);
    for (int k = 0; k <= 1320; ++k) { // y = 60, 60.1, ... 192
        const double y = 60 + k / 10.0;
        p.moveSprite(Image1, y + 270, y);
        if (watched) p.pause(0.0001);
    }
    p.hide(Image1);
    p.load(Image2, QStringLiteral("Light\\photelec.bmp"));
    p.moveSprite(Image2, 462, 192);
    p.setVisible(Image2, watched);
    for (int k = 0; k <= 990; ++k) { // 1, 1.1, ... 100
        const QPointF at = p.spriteAt(Image2);
        p.moveSprite(Image2, at.x() + 0.1, at.y() - 0.1);
        if (watched) p.pause(0.05);
    }
    p.hide({Image1, Image2});
    p.load(Image1, QString());
    p.load(Image2, QString());
}

// The body in the light, the emission twice, and the name of the effect.
void emissionPage(Page& p, bool watched) {
    p.cls();
    p.fontSize(14);
    p.fore(QBColor(15));
    p.back(QBColor(0));
    p.print(20, 10, QStringLiteral("物体に光を当てると、"));
    p.box(350, 200, 600, 220, QBColor(3), Filled);
    emission(p, watched);
    emission(p, watched);
    p.narrate(10, 40, {QStringLiteral("物体から電子が飛び出してきます。")});
    p.pieces(10, {{QStringLiteral("これを(外部)"), 15},
                  {QStringLiteral("光電効果"), 14},
                  {QStringLiteral("といいます。"), 15}});
}

// ---- steps ----

void electronsFlyOut(Page& p) {
    emissionPage(p, true);
}

void numberOfElectrons(Page& p) {
    emissionPage(p, false);
    p.print();
    p.narrate(10, {QStringLiteral("飛び出す電子の数は、")});
    p.narrate(50, {QStringLiteral("当てた光の強さに比例しますが、")});
}

void speedOfElectrons(Page& p) {
    numberOfElectrons(p);
    p.print();
    p.narrate(10, {QStringLiteral("飛び出す電子の最大の速さは、")});
    p.narrate(50, {QStringLiteral("光の強さには関係せず、"), QStringLiteral("振動数だけで決まります。")});
}

void workFunction(Page& p) {
    speedOfElectrons(p);
    p.print();
    p.narrate(10, {QStringLiteral("光のエネルギーと電子の最大の運動エネルギーの差は、")});
    p.narrate(50, {QStringLiteral("物質に固有の値 W です（K_max = hν − W）。")});
}

// The empty lines between the last thoughts are left out where the page has no room for
// them: with the unscaled font on a small page the conclusion would run under the
// navigation row.
void particlesOfLight(Page& p) {
    workFunction(p);
    const bool room = p.aboveButtons(Device(p.lineTop()), 6).pixels() == p.lineTop();
    const auto gap = [&] {
        if (room) p.narrate(10, {QString()});
    };
    gap();
    p.narrate(10, {QStringLiteral("限界振動数を超えれば、どんなに弱い光でも電子は瞬間に飛び出します。")});
    gap();
    p.narrate(10, {QStringLiteral("光が波だとしたら、これは不可能です。")});
    gap();
    p.fore(QBColor(14));
    p.narrate(10, {QStringLiteral("光は粒子のようにふるまうのです。")});
    p.fore(QBColor(15));
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, electronsFlyOut},
    {2, numberOfElectrons},
    {3, speedOfElectrons},
    {4, workFunction},
    {5, particlesOfLight},
};
// clang-format on

} // namespace

// Step 6 closes the section: on to the duality of light.
const lesson::Section photoelectric{
    .number = 3, .topic = "光電効果", .steps = kSteps, .heading = {"光　電　効　果", 220}};

} // namespace light::quantum
