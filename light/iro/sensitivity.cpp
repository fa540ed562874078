#include "lesson/Ask.h"
#include "lesson/Page.h"
#include "light/iro/sections.h"
#include "player/Prompts.h"

#include <cmath>

// Cone sensitivity: three kinds of cones, the yellow of a lemon and the yellow of a
// television, and an exercise in which the learner mixes colours from dots side by side.

namespace light::iro {

namespace {

// ---- figures ----

void axes(Page& p) {
    const QRgb c = p.foreColour();
    p.line(200, 50, 200, 280, c);
    p.lineTo(500, 280, c);
}

// The three cones' sensitivities as bells about their peaks: S near 420 nm, M near 534,
// L near 564 (the blue, green and red cones).
void coneGraph(Page& p) {
    const double s = wavelengthX(420), m = wavelengthX(534), l = wavelengthX(564);
    for (int x = 200; x <= 500; ++x) {
        p.pset(x, 280 - 230 * std::exp(-0.001 * (x - s) * (x - s)), QBColor(9));
        p.pset(x, 280 - 180 * std::exp(-0.0007 * (x - m) * (x - m)), QBColor(10));
        p.pset(x, 280 - 170 * std::exp(-0.0005 * (x - l) * (x - l)), QBColor(12));
    }
    axes(p);
    p.print(175, 120, QStringLiteral("感"));
    p.print(175, 190, QStringLiteral("度"));
    wavelengthLabels(p, 285, {400, 700});
    p.print(330, 300, QStringLiteral("波長"));
    centredLabel(p, s, 30, QStringLiteral("blue"));
    p.print(m - 55, 80, QStringLiteral("green"));
    p.print(l + 12, 110, QStringLiteral("red"));
}

void spectrumFrame(Page& p) {
    axes(p);
    p.print(180, 100, QStringLiteral("相"));
    p.print(180, 130, QStringLiteral("対"));
    p.print(180, 160, QStringLiteral("強"));
    p.print(180, 190, QStringLiteral("度"));
    wavelengthLabels(p, 290, {400, 500, 600, 700});
    p.print(320, 310, QStringLiteral("波長"));
}

void lemonCurve(Page& p) {
    const QRgb c = QBColor(14);
    p.arc(200, 205, 70, c, 4.712388, 5.846852);
    p.arc(323, 273, 70, c, 1.570796, 2.617993);
    p.arc(373, 253, 70, c, 1.308997, 2.356194);
    p.arc(418, 215, 40, c, 1.745329, 2.356194);
}

// A display shows yellow with its green and red emitters only: a green band about 530 nm
// and the narrow red lines of the red phosphor near 620 and 626 nm, no blue at all.
void televisionCurve(Page& p) {
    const double green = wavelengthX(530);
    for (int x = 200; x <= 500; ++x)
        p.pset(x, 280 - 140 * std::exp(-0.0025 * (x - green) * (x - green)), QBColor(11));
    p.fore(QBColor(11));
    const double weak = wavelengthX(620), strong = wavelengthX(626);
    p.polyline(QBColor(11), {weak - 2, 279, weak, 200, weak + 2, 279});
    p.polyline(QBColor(11), {strong - 2, 279, strong, 125, strong + 2, 279});
    p.print(390, 100, QStringLiteral("テレビの黄色"));
    p.fore(QBColor(14));
    // Right of the red lines, which stand where the label used to begin.
    p.print(428, 190, QStringLiteral("天然レモンの黄色"));
}

// ---- the mixing exercise ----

// The palette colour of the colour the learner chose: number n (1 to 7) is colour n + 8.
// The dialog takes one digit 1 to 7; should a reply of anything else reach here (pasted,
// typed again into the field), its first character counts if it is such a digit, and
// white otherwise, so the colour is always one of the seven.
int chosenColour(const QString& typed) {
    const QString reply = typed.trimmed();
    int n = 7;
    if (!reply.isEmpty() && reply[0] >= QLatin1Char('1') && reply[0] <= QLatin1Char('7'))
        n = reply[0].unicode() - '0';
    return n + 8;
}

// One dotted rectangle in device pixels, every third column and every second row, with
// an event pass after each column. Rectangles that start on columns of different
// remainders (mod 3) put their dots side by side where they overlap.
void iroSub2(Page& p, const AnswerFields& choice, int x1, int x2, int y1, int y2) {
    const QRgb c = QBColor(chosenColour(choice.first));
    for (int x = x1; x <= x2; x += 3) {
        for (int y = y1; y <= y2; y += 2)
            p.pset(Device(x), Device(y), c);
        p.events();
    }
}

void iroSub1(Page& p) {
    iroSub2(p, p.askValue(8), 200, 400, 100, 250);
    iroSub2(p, p.askValue(9), 151, 351, 150, 300);
    iroSub2(p, p.askValue(9), 252, 452, 150, 300);
}

void colourKey(Page& p) {
    p.print(20, 20, QStringLiteral("青:1, 緑:2, 水:3, 赤:4, 紫:5, 黄:6, 白:7"));
}

// ---- steps ----

void cones(Page& p) {
    contentPage(p);
    p.print(20, 10, QStringLiteral("錐体にも、赤(R)・緑(G)・青(B)に最も敏感な3種類があります。"));
    coneGraph(p);
}

// Steps 2 and 3 print in white, as step 1 leaves it: the television's labels leave the
// fore colour yellow for the step entered with Back.
void lemon(Page& p) {
    p.cls();
    p.fore(QBColor(15));
    p.narrate(20, 20,
              {QStringLiteral("私たちはレモンを鮮やかな黄色に見ています。"),
               QStringLiteral("その光を分光器で分析すると、次のような分布になります。")});
    p.print(20, 340, QStringLiteral("570nm付近の黄色の光が特に強いわけではありません。"));
    spectrumFrame(p);
    lemonCurve(p);
}

void television(Page& p) {
    p.cls();
    p.fore(QBColor(15));
    p.narrate(20, 10,
              {QStringLiteral("テレビのブラウン管も同じ黄色を再現できます。"),
               QStringLiteral("その光を分析すると、次のようになります。")});
    p.print(20, 340, QStringLiteral("570nmの黄色の光は弱く、赤と緑の光が強くなっています。"));
    spectrumFrame(p);
    lemonCurve(p);
    televisionCurve(p);
}

void redAndGreen(Page& p) {
    p.cls();
    p.narrate(20, 10,
              {QStringLiteral("赤と緑の単色光を同時に受けると、目は黄色に感じるのです。"), QString()});
    p.narrate(20, {QStringLiteral("前に学んだように、ニュートンはこの混色を詳しく調べました。")});
}

void exercise(Page& p) {
    p.cls();
    p.print(20, p.aboveButtons(350), QStringLiteral("色の感じ方は一通りではないのです。"));
    p.drawWidth(1);
    colourKey(p);
    iroSub1(p);
}

// Over the rectangles as they stand: exactly "y" clears and mixes anew.
void again(Page& p) {
    const QString reply = p.inputBox(QStringLiteral("もう一度やってみますか(y/n)"), 5100, 7000);
    if (reply != QLatin1String("y")) return;
    p.cls();
    colourKey(p);
    iroSub1(p);
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, cones},
    {2, lemon},
    {3, television},
    {4, redAndGreen},
    {5, exercise},
    {6, again, lesson::DrawnOver},
};
// clang-format on

// The colours are the learner's free choice: red, then green, then blue on top.
constexpr lesson::QuizRow kQuizzes[] = {
    {5, 8, "4", "", lesson::Judged::NotJudged},
    {5, 9, "2|1", "", lesson::Judged::NotJudged},
    {6, 8, "4", "", lesson::Judged::NotJudged},
    {6, 9, "2|1", "", lesson::Judged::NotJudged},
};

} // namespace

const lesson::Section sensitivity{.number = 5,
                                  .topic = "感度曲線",
                                  .steps = kSteps,
                                  .quizzes = kQuizzes,
                                  .heading = {"感　 度 　曲　 線", 200}};

} // namespace light::iro
