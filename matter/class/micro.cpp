#include "lesson/Page.h"
#include "matter/class/animations.h"
#include "matter/class/sections.h"
#include "matter/figures.h"

#include <algorithm>
#include <cmath>

// The micro world: a drop of water magnified step by step, through the molecule, the
// oxygen atom and its nucleus, down to the quarks.

namespace matter::klass {

using enum Control;

namespace {

// ---- figures ----

// The magnified drop of water: the molecule, how far it is magnified, and the facts
// beside it.
void waterMoleculeScene(Page& p) {
    p.cls();
    p.back(QBColor(15));
    matter::WaterMolecule(p);
    p.print(100, 50, QStringLiteral("百万倍拡大しました．"));
    p.showPicture(Picture1, 200, 150, 650, 250, QStringLiteral("Material\\bs-08.jpg"));
}

void oxygenNucleusScene(Page& p) {
    p.cls();
    p.back(QBColor(15));
    p.drawWidth(1);
    matter::OxygenNucleus(p);
    p.print(20, 20, QStringLiteral("酸素16の原子核は，陽子８個と中性子８個からできています．"));
}

// The three particles on the quark floor; the fourth, smallest one joins them later.
struct ParticleAt {
    std::int16_t x, y, r, colour;
};
constexpr ParticleAt kQuarkClouds[] = {{500, 150, 80, 9}, {320, 50, 50, 10}, {250, 280, 60, 11}};

// Each particle of the quark scene seen closer: its outline with three small clouds
// inside. The clouds leave the fill solid grey, so each outline sets the fill transparent
// again to stay an outline.
struct Group {
    std::int16_t x, y, r;
    ParticleAt clouds[3];
};
constexpr Group kParticleGroups[] = {
    {500, 150, 80, {{480, 110, 20, 2}, {480, 170, 20, 3}, {540, 160, 20, 4}}},
    {320, 50, 50, {{300, 35, 10, 3}, {320, 70, 10, 4}, {340, 45, 10, 5}}},
    {250, 280, 60, {{240, 275, 20, 4}, {265, 280, 20, 5}, {250, 300, 20, 6}}},
    {180, 150, 20, {{178, 140, 5, 5}, {170, 150, 5, 6}, {190, 155, 5, 7}}},
};

void particleGroups(Page& p, bool paced) {
    p.cls();
    p.removePicture(Picture1);
    p.backColour(Picture1, QBColor(15));
    p.back(QBColor(15));
    p.fore(QBColor(0));
    for (const Group& g : kParticleGroups) {
        p.fillStyle(FillStyles::Transparent);
        p.circle(g.x, g.y, g.r, p.foreColour());
        for (int i = 0; i < 3; ++i) {
            if (paced && i > 0) p.pause(60);
            const ParticleAt& c = g.clouds[i];
            matter::Particle(p, c.x, c.y, c.r, c.colour, 30);
        }
    }
}

// ---- steps ----

void heading(Page& p) {
    p.cls();
    p.removePicture(Picture1);
    p.removePicture(Picture2);
    p.fore(QBColor(0));
    p.back(QBColor(15));
    p.fontSize(32);
    p.print(210, 150, QStringLiteral("ミ ク ロ　の　世界"));
}

void tap(Page& p) {
    p.cls();
    p.hide(Picture1);
    p.fontSize(14);
    matter::Tap(p);
}

void dropFalls(Page& p) {
    p.cls();
    matter::Tap(p);
    animations::Drop(p);
    p.showPicture(Picture1, 220, 150, 1000, 300, QStringLiteral("Material\\bs-04.jpg"));
}

// Drawn over the fallen drop: the tap, the question and, once it is answered, the way in.
void dropQuiz(Page& p) {
    matter::Tap(p);
    p.showPicture(Picture1, 220, 150, 1000, 300, QStringLiteral("Material\\bs-04.jpg"));
    p.ask(3);
    // The narration starts where the tap's drawing ended.
    p.print(100, 75, QStringLiteral("さっそく，ミクロの世界に入ってみましょう．"));
}

void intoTheDrop(Page& p) {
    p.hide({Picture1, Image1});
    animations::Zoom(p);
    waterMoleculeScene(p);
}

void moleculeQuiz(Page& p) {
    waterMoleculeScene(p);
    p.ask(4);
}

void areAtomsUniform(Page& p) {
    p.cls();
    p.removePicture(Picture1);
    p.narrate(20, 10,
              {QStringLiteral("　水素原子や酸素原子は，一様な球なのでしょうか？"), QString(),
               QStringLiteral("　物差しの目盛りをさらに１万倍細かくして，酸素原子を見てみましょう．")});
}

void finerRuler(Page& p) {
    p.cls();
    p.hide({Picture1, Picture2});
    p.back(QBColor(15));
    // The tube the scale marks run up.
    p.line(250, 0, 250, 175);
    p.lineTo(300, 175);
    p.lineTo(300, 0);
    p.line(250, 120, 300, 120);
    animations::Ruler(p);
}

void oxygenAtom(Page& p) {
    p.cls();
    p.back(QBColor(15));
    p.fore(QBColor(9));
    // Under the strip of Picture2 (30 pixels high at y 300), which it would run into
    // where the page is small.
    p.print(120, Device(std::max(Coord(320).pixels(), Coord(300).pixels() + 30)), QStringLiteral("酸素原子"));
    p.fore(QBColor(0));
    matter::NucleusAndScale(p);
    p.showPicture(Picture1, 280, 140, 1000, 300, QStringLiteral("Material\\bs-09-1.jpg"));
    p.showPicture(Picture2, 20, 300, 400, 30, QStringLiteral("Material\\bs-09-0.jpg"));
    animations::Orbits(p);
    // What the atom is made of, one picture a second.
    static const char* const kSequence[] = {"Material\\bs-09-2.jpg", "Material\\bs-09-3.jpg",
                                            "Material\\bs-09-5.jpg", "Material\\bs-09-6.jpg",
                                            "Material\\bs-09-7.jpg", "Material\\bs-09-8.jpg"};
    for (const char* file : kSequence) {
        p.seconds(1);
        p.load(Picture1, QString::fromUtf8(file));
    }
}

void intoTheNucleus(Page& p) {
    p.cls();
    p.hide({Picture1, Picture2});
    p.drawWidth(1);
    matter::NucleusAndScale(p);
    p.print(240, 300, QStringLiteral("1 Å"));
    p.showPicture(Picture1, 20, 300, 80, 30, QStringLiteral("Material\\bs-10.jpg"));
    matter::Orbits(p, false);
    p.print(20, 20, QStringLiteral("原子核の中を見てみましょう．"));
    p.line(120, 40, 150, 170);
    p.seconds(2);
    p.print(300, 200, QStringLiteral("目盛りをさらに細かく，つまり拡大します．"));
}

void magnify(Page& p) {
    p.cls();
    p.removePicture(Picture1);
    p.removePicture(Picture2);
    p.back(QBColor(15));
    p.fillStyle(FillStyles::Transparent);
    p.drawWidth(5);
    animations::BoxZoom(p);
}

void nucleus(Page& p) {
    oxygenNucleusScene(p);
}

void nucleusQuiz(Page& p) {
    p.hide({Picture1, Picture2});
    oxygenNucleusScene(p);
    p.ask(5);
    p.ask(6);
}

void protonsAndNeutrons(Page& p) {
    oxygenNucleusScene(p);
    p.removePicture(Picture1);
    p.removePicture(Picture2);
    p.showPicture(Picture1, 20, 200, 1000, 200, QStringLiteral("Material\\bs-11.jpg"));
}

void smallerStill(Page& p) {
    p.cls();
    p.removePicture(Picture1);
    p.narrate(20, 20,
              {QStringLiteral("　中性子や陽子が，物質の最終的な単位なのでしょうか？"), QString(),
               QStringLiteral("　いいえ，そうではありません．"), QString(),
               QStringLiteral("　これらは，さらに小さな粒子からできているのです．"), QString(), QString(),
               QString(), QStringLiteral("　さらに拡大してみましょう．")});
}

void bubbles(Page& p) {
    p.cls();
    p.removePicture(Picture1);
    animations::RandomBubbles(p);
}

void quarkFloor(Page& p) {
    p.cls();
    p.hide(Picture1);
    matter::Plane(p, 13);
    for (const ParticleAt& c : kQuarkClouds) {
        p.pause(80);
        matter::Particle(p, c.x, c.y, c.r, c.colour, 30);
    }
}

void quarks(Page& p) {
    p.cls();
    p.hide(Picture1);
    matter::Plane(p, 13);
    for (const ParticleAt& c : kQuarkClouds)
        matter::Particle(p, c.x, c.y, c.r, c.colour, 30);
    matter::Particle(p, 180, 150, 20, 12, 30);
    p.fore(QBColor(15));
    p.backColour(Picture1, QBColor(0));
    p.showPicture(Picture1, 10, 10, 800, 70, QStringLiteral("Material\\bs-12.jpg"));
}

void groups(Page& p) {
    particleGroups(p, true);
}

void groupsNamed(Page& p) {
    particleGroups(p, false);
    p.showPicture(Picture1, 10, 10, 1000, 100, QStringLiteral("Material\\bs-13.jpg"));
}

void forces(Page& p) {
    p.cls();
    p.removePicture(Picture1);
    p.back(QBColor(0));
    p.fore(QBColor(10));
    p.backColour(Picture1, QBColor(0));
    p.showPicture(Picture1, 10, 10, 700, 100, QStringLiteral("Material\\bs-14.jpg"));
}

// The banner of step 20 stays above the explosion; step 22 hides it, so coming back here
// with Back one shows it again.
void bang(Page& p) {
    p.cls();
    p.show(Picture1);
    p.back(QBColor(0));
    p.drawWidth(2);
    animations::Explosion(p);
}

void toTheMacroWorld(Page& p) {
    p.cls();
    // The banner of step 20 would cover the sentence at the smallest scale.
    p.hide(Picture1);
    p.fore(QBColor(10));
    p.fontSize(18);
    p.print(100, 100, QStringLiteral("さっそく，マクロの世界，宇宙へ飛んでみましょう．"));
}

void resetPicture1(Page& p) {
    p.backColour(Picture1, QBColor(15));
    p.hide(Picture1);
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, heading},
    {1, tap},
    {2, dropFalls},
    {3, dropQuiz, lesson::DrawnOver},
    {4, intoTheDrop},
    {5, moleculeQuiz},
    {6, areAtomsUniform},
    {7, finerRuler},
    {8, oxygenAtom},
    {9, intoTheNucleus},
    {10, magnify},
    {11, nucleus},
    {12, nucleusQuiz},
    {13, protonsAndNeutrons},
    {14, smallerStill},
    {15, bubbles},
    {16, quarkFloor},
    {17, quarks},
    {18, groups},
    {19, groupsNamed},
    {20, forces},
    {21, bang},
    {22, toTheMacroWorld},
};
// clang-format on

// clang-format off
constexpr lesson::QuizRow kQuizzes[] = {
    {3, 3, "1", "3"},
    {5, 4, "2", "1"},
    {12, 5, "1", "2"},
    {12, 6, "4", "3"},
};
// clang-format on

} // namespace

// Step 23 closes the section.
const lesson::Section micro{2, "ミクロの世界", kSteps, resetPicture1, kQuizzes};

} // namespace matter::klass
