#include "lesson/Page.h"
#include "matter/gensi/sections.h"

#include <algorithm>

// What an atom is made of: protons, neutrons and electrons, the atomic number and the
// mass number, summed up as a tree and shown on helium. Five questions check it.

namespace matter::gensi {

using enum Control;

namespace {

// ---- the growing page of steps 1 to 6 ----

void textPage(Page& p) {
    p.cls();
    p.back(QBColor(15));
    p.fore(QBColor(0));
    p.fontSize(16);
}

// A: the three particles, each name in its colour inside the black sentence.
void particles(Page& p) {
    p.pieces(10, 35,
             {{QStringLiteral("化学で扱う粒子の基本単位は，"), 0},
              {QStringLiteral("電子"), 9},
              {QStringLiteral("，"), 0},
              {QStringLiteral("陽子"), 12},
              {QStringLiteral("，"), 0},
              {QStringLiteral("中性子"), 5},
              {QStringLiteral("です．"), 0}});
}

// B and C: the nucleus, and the electrons held around it.
void nucleusAndElectrons(Page& p) {
    p.pieces(10, 60,
             {{QStringLiteral("+"), 9},
              {QStringLiteral("の電荷の陽子と電荷のない中性子が結合して原子核をつくり，"), 0}});
    p.pieces(10, 80,
             {{QStringLiteral("-"), 12},
              {QStringLiteral("の電荷の電子が静電気力でその周りに引き付けられています．"), 0}});
    p.narrate(10, {QStringLiteral("これが原子です．")});
}

// E: how many protons and neutrons nuclei have.
void protonNumbers(Page& p) {
    p.pieces(10, 130,
             {{QStringLiteral("天然の原子核には，陽子の数"), 0},
              {QStringLiteral("Ｚ"), 12},
              {QStringLiteral("が１からウランの92までのものがあり，"), 0}});
    p.pieces(10, {{QStringLiteral("軽い核ではそれとほぼ同数，重い核ではより多くの中性子"), 0},
                  {QStringLiteral("Ｎ"), 5},
                  {QStringLiteral("を含みます．"), 0}});
}

// F: the electrons of a neutral atom, and what an element is.
void elements(Page& p) {
    p.pieces(10, 180,
             {{QStringLiteral("中性の原子では，原子核の周りに"), 0},
              {QStringLiteral("Ｚ"), 12},
              {QStringLiteral("個の電子があります．"), 0}});
    p.pieces(10, {{QStringLiteral("原子の基本的な性質は"), 0},
                  {QStringLiteral("Ｚ"), 12},
                  {QStringLiteral("で決まり，"), 0}});
    p.pieces(10, {{QStringLiteral("Ｚ"), 12},
                  {QStringLiteral("が同じで"), 0},
                  {QStringLiteral("Ｎ"), 5},
                  {QStringLiteral("が異なる原子をまとめて元素といいます．"), 0}});
    p.pieces(10, {{QStringLiteral("　元素は現在118種類が知られ，天然のものは92種類です．"), 0}});
}

// G: atomic number, mass number and isotopes, the three terms in green.
void terms(Page& p) {
    p.pieces(10, 265,
             {{QStringLiteral("Ｚを"), 0},
              {QStringLiteral("原子番号"), 2},
              {QStringLiteral("，Ａ＝Ｚ＋Ｎを"), 0},
              {QStringLiteral("質量数"), 2},
              {QStringLiteral("といいます．"), 0}});
    p.pieces(10, {{QStringLiteral("Ｚが等しくＮが異なる原子どうしを"), 0},
                  {QStringLiteral("同位体"), 2},
                  {QStringLiteral("といい，"), 0}});
    p.pieces(10, {{QStringLiteral("同位体には安定なものと放射性のものがあります．"), 0}});
}

// ---- the summary and the helium example ----

// The make-up of the atom as a tree of brackets, in the current text colour.
void summary(Page& p) {
    p.cls();
    p.print(Device(20), 0, QStringLiteral("以上のことをまとめると"));
    p.print(1, 67, QStringLiteral("原子"));
    p.print(70, 30, QStringLiteral("核"));
    p.print(70, 100, QStringLiteral("殻"));
    p.print(150, 100, QStringLiteral("電子   e(-)"));
    p.print(160, 20, QStringLiteral("陽子   P(+) Ｚ：原子番号"));
    p.print(150, 50, QStringLiteral("中性子 n(0) Ｎ："));
    p.print(400, 35, QStringLiteral("Ａ：質量数 "));
    static constexpr double kTree[][4] = {
        {45, 75, 60, 75},   {60, 41, 60, 105},  {60, 41, 68, 41},   {60, 105, 68, 105},   {100, 41, 140, 41},
        {140, 26, 140, 58}, {140, 26, 148, 26}, {140, 58, 148, 58}, {100, 105, 140, 105}, {347, 26, 355, 26},
        {347, 58, 355, 58}, {355, 26, 355, 58}, {355, 42, 380, 42},
    };
    for (const auto& l : kTree)
        p.line(l[0], l[1], l[2], l[3]);
}

// Helium below the tree: two protons, two neutrons, two electrons, with their names.
void helium(Page& p) {
    p.print(1, 140, QStringLiteral("ヘリウム原子を例にとってみましょう．"));
    p.solidFill(QBColor(12));
    p.circle(280, 250, 10, QBColor(1));
    p.circle(290, 260, 10, QBColor(1));
    p.fillStyle(FillStyles::Transparent);
    p.circle(280, 260, 10, QBColor(2));
    p.circle(290, 250, 10, QBColor(2));

    p.fore(QBColor(4));
    p.print(1, 175, QStringLiteral("陽子"));
    p.print(260, 230, QStringLiteral("+"));
    p.print(295, 265, QStringLiteral("+"));
    p.line(40, 185, 260, 237);

    p.fore(QBColor(0));
    p.print(1, 205, QStringLiteral("中性子"));
    p.line(50, 218, 260, 257, QBColor(5));

    p.solidFill(QBColor(1));
    p.circle(200, 320, 3, QBColor(1));
    p.circle(380, 190, 3, QBColor(1));
    p.fore(QBColor(1));
    p.print(1, 240, QStringLiteral("電子"));
    p.print(190, 320, QStringLiteral("-"));
    p.print(370, 190, QStringLiteral("-"));
    p.line(40, 250, 190, 315);
    p.line(40, 250, 370, 190);

    p.fillStyle(FillStyles::Transparent);
    p.fore(QBColor(0));
    // On a small page the second line is level with the navigation row: it goes on under
    // itself there instead of under the buttons, and the two lines move up just so far
    // that the three end on the canvas.
    const bool level = p.aboveButtons(360).pixels() < Coord(360).pixels();
    const double second =
        level ? std::min(Coord(360).pixels(), Coord(400).pixels() - 2 * p.lineHeight()) : Coord(360).pixels();
    const double first = level ? std::min(Coord(340).pixels(), second - p.lineHeight()) : Coord(340).pixels();
    p.print(1, Device(first), QStringLiteral("陽子が２個なので，原子番号は２です．"));
    p.printWrapped(1, Device(second), QStringLiteral("陽子２個と中性子２個で，質量数は４です．"));
}

// ---- steps ----

void heading(Page& p) {
    lesson::heading(p);
    p.removePicture(Picture1);
    p.removePicture(Picture2);
}

void pageA(Page& p) {
    textPage(p);
    particles(p);
}

void pageC(Page& p) {
    pageA(p);
    nucleusAndElectrons(p);
}

void forceQuiz(Page& p) {
    pageC(p);
    p.ask(7);
}

void pageE(Page& p) {
    pageC(p);
    protonNumbers(p);
}

void pageF(Page& p) {
    pageE(p);
    elements(p);
}

void pageG(Page& p) {
    pageF(p);
    terms(p);
}

void summed(Page& p) {
    textPage(p);
    summary(p);
}

void hydrogenQuiz(Page& p) {
    summed(p);
    p.ask(8);
}

void heliumExample(Page& p) {
    summed(p);
    helium(p);
}

// Asked over the helium page of step 9, one question after the other.
void oxygenAndWaterQuiz(Page& p) {
    p.ask(9);
    p.ask(10);
    p.ask(11);
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, heading},
    {1, pageA},
    {2, pageC},
    {3, forceQuiz},
    {4, pageE},
    {5, pageF},
    {6, pageG},
    {7, summed},
    {8, hydrogenQuiz},
    {9, heliumExample},
    {10, oxygenAndWaterQuiz, lesson::DrawnOver},
};
// clang-format on

// clang-format off
constexpr lesson::QuizRow kQuizzes[] = {
    {3, 7, "2", "1"}, // gravitation acts too, however weakly
    {8, 8, "1", "2"}, // hydrogen: one proton
    {10, 9, "1", "3"}, // oxygen: eight protons
    {10, 10, "2", "1"}, // eight protons and eight neutrons: about 16
    {10, 11, "3", "2"}, // water: 16 + 2 x 1
};
// clang-format on

} // namespace

// Step 11 closes the section.
const lesson::Section makeUp{.number = 1,
                             .topic = "原子の構成",
                             .steps = kSteps,
                             .quizzes = kQuizzes,
                             .heading = {"原　子　と　は", 220}};

} // namespace matter::gensi
