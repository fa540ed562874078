#include "lesson/Page.h"
#include "light/quantum/sections.h"

// The Compton effect: an X-ray photon knocks an electron away and comes off with a
// longer wavelength, as one particle colliding with another.

namespace light::quantum {

using enum Control;

namespace {

// ---- figures ----

// The scene before the collision: the photon at (100, 200), the electron at (300, 200).
void sprites(Page& p) {
    p.stretch(Image1, false);
    p.load(Image1, QStringLiteral("Light\\photon.bmp"));
    p.moveSprite(Image1, 100, 200);
    p.show(Image1);
    p.load(Image2, QStringLiteral("Light\\electron.bmp"));
    p.moveSprite(Image2, 300, 200);
    p.show(Image2);
}

void scene(Page& p) {
    p.cls();
    p.fontSize(14);
    p.fore(QBColor(15));
    p.back(QBColor(0));
}

// The photon flies in along y = 201 leaving a yellow track, the label follows it, and
// then the photon leaves upward to the right while the electron, at half its pace, moves
// off downward to the right, each leaving its track. One event pass a frame.
void collision(Page& p) {
    for (int i = 100; i <= 300; ++i) {
        const QPointF at = p.spriteAt(Image1);
        p.moveSprite(Image1, at.x() + 1, at.y());
        const QPointF now = p.spriteAt(Image1);
        p.pset(now.x() - 5, now.y() + 1, QBColor(14));
        p.events();
    }
    p.fore(QBColor(0));
    p.print(100, 170, QStringLiteral("Ｘ線"));
    p.fore(QBColor(15));
    p.print(310, 170, QStringLiteral("Ｘ線"));
    int j = 0;
    for (int i = 1; i <= 350; ++i) {
        p.moveSprite(Image1, 300 + i, 195 - 2.0 * i / 5);
        const QPointF photon = p.spriteAt(Image1);
        p.pset(photon.x() - 5, photon.y() + 5, QBColor(14));
        if (i % 2 == 0) {
            ++j;
            p.moveSprite(Image2, 300 + j, 200 + j / 5.0);
            const QPointF electron = p.spriteAt(Image2);
            p.pset(electron.x() - 5, electron.y() + 1, QBColor(9));
        }
        p.events();
    }
}

// The collision drawn at once as a diagram: the incoming track, the photon's track to
// (500, 115) and the electron's, steeper, to (500, 320), with the momenta and the two
// scattering angles. The sprites end hidden.
void momentumDiagram(Page& p) {
    sprites(p);
    int x0 = int(p.spriteAt(Image1).x());
    for (int i = 100; i <= 300; ++i) {
        ++x0;
        p.pset(x0 - 5, 201, QBColor(14));
        if (i == 300) {
            const QPointF at = p.spriteAt(Image1);
            p.moveSprite(Image1, at.x() + 1, at.y());
        }
    }
    int j = 0;
    for (int i = 1; i <= 400; ++i) {
        if (i <= 200) {
            const double x = 300 + i, y = 195 - 2.0 * i / 5;
            if (i == 200) p.moveSprite(Image1, x, y);
            p.pset(x - 5, y + 5, QBColor(14));
        }
        if (i % 2 == 0) {
            ++j;
            const double x = 300 + j, y = 200 + 3.0 * j / 5;
            if (i == 400) p.moveSprite(Image2, x, y);
            p.pset(x - 5, y + 1, QBColor(9));
        }
    }
    p.events();
    p.hide({Image1, Image2});
    p.fore(QBColor(15));
    p.print(95, 205, QStringLiteral("p"));
    p.print(500, 110, QStringLiteral("p'"));
    p.print(500, 315, QStringLiteral("p\""));
    p.line(302, 200, 450, 200); // the incident direction
    p.arc(302, 200, 50, p.foreColour(), 0, 0.3490658);
    p.arc(302, 200, 60, p.foreColour(), 5.672319, 0);
    p.print(360, 180, QStringLiteral("θ"));
    p.print(360, 210, QStringLiteral("Θ"));
}

// ---- steps ----

void xRaysOnAnElectron(Page& p) {
    scene(p);
    p.print(80, 100, QStringLiteral("真空中で電子（粒子）にＸ線（光子）を当てると、"));
    p.print(100, 170, QStringLiteral("Ｘ線"));
    p.print(310, 230, QStringLiteral("電子"));
    sprites(p);
}

void theCollision(Page& p) {
    xRaysOnAnElectron(p);
    collision(p);
}

void diagram(Page& p) {
    scene(p);
    momentumDiagram(p);
}

void elasticCollision(Page& p) {
    diagram(p);
    p.box(80, 9, 440, 30, QBColor(0), Filled);
    p.narrate(20, 10,
              {QStringLiteral("電子ははじき飛ばされ、Ｘ線の波長は長くなります。"),
               QStringLiteral("この衝突は、エネルギーと運動量がともに保存される"),
               QStringLiteral("弾性衝突であることがわかりました。")});
}

void likeAParticle(Page& p) {
    elasticCollision(p);
    p.narrate(20, {QString(), QStringLiteral("衝突において、光はまったく粒子のようにふるまいます。"),
                   QStringLiteral("エネルギーと運動量は一瞬で粒子に渡されます。"), QString(),
                   QStringLiteral("光が波であるとしたら、これは不可能なことです。")});
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, xRaysOnAnElectron},
    {2, theCollision},
    {3, diagram},
    {4, elasticCollision},
    {5, likeAParticle},
};
// clang-format on

} // namespace

// Step 6 closes the section: on to the photoelectric effect.
const lesson::Section compton{
    .number = 2, .topic = "コンプトン効果", .steps = kSteps, .heading = {"コンプトン 効果", 210}};

} // namespace light::quantum
