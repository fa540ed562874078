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

void coneGraph(Page& p) {
    for (int x = 100; x <= 400; ++x) {
        p.pset(x + 100, 280 - 230 * std::exp(-0.001 * (x - 200) * (x - 200)), QBColor(9));
        p.pset(x + 100, 280 - 180 * std::exp(-0.0007 * (x - 250) * (x - 250)), QBColor(10));
        p.pset(x + 100, 280 - 170 * std::exp(-0.0005 * (x - 290) * (x - 290)), QBColor(12));
    }
    axes(p);
    p.print(175, 120, QStringLiteral("感"));
    p.print(175, 190, QStringLiteral("度"));
    p.print(240, 285, QStringLiteral("400                                               700 (nm)"));
    p.print(330, 300, QStringLiteral("波長"));
    p.print(280, 30, QStringLiteral("blue"));
    p.print(350, 80, QStringLiteral("green"));
    p.print(400, 110, QStringLiteral("red"));
}

void spectrumFrame(Page& p) {
    axes(p);
    p.print(180, 100, QStringLiteral("相"));
    p.print(180, 130, QStringLiteral("対"));
    p.print(180, 160, QStringLiteral("強"));
    p.print(180, 190, QStringLiteral("度"));
    p.print(200, 290, QStringLiteral("400                        500     600  700 (nm)"));
    p.print(320, 310, QStringLiteral("波長"));
}

void lemonCurve(Page& p) {
    const QRgb c = QBColor(14);
    p.arc(200, 205, 70, c, 4.712388, 5.846852);
    p.arc(323, 273, 70, c, 1.570796, 2.617993);
    p.arc(373, 253, 70, c, 1.308997, 2.356194);
    p.arc(418, 215, 40, c, 1.745329, 2.356194);
}

// A broad blue band and two narrow lines, green and red, the red one reaching the top.
void televisionCurve(Page& p) {
    for (int x = 100; x <= 400; ++x)
        p.pset(x + 100, 280 - 100 * std::exp(-0.0005 * (x - 200) * (x - 200)), QBColor(11));
    p.fore(QBColor(11));
    p.polyline(QBColor(11), {306, 180, 306, 150, 310, 150, 310, 185});
    p.line(345, 145, 345, 242);
    p.polyline(QBColor(11), {350, 250, 350, 145, 345, 145});
    p.polyline(QBColor(11), {363, 265, 370, 1, 377, 273});
    p.print(390, 100, QStringLiteral("テレビの黄色"));
    p.fore(QBColor(14));
    p.print(400, 190, QStringLiteral("天然レモンの黄色"));
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
