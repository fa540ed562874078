#include "lesson/Page.h"
#include "light/iro/sections.h"
#include "player/Canvas.h"

// Light and dark adaptation: two experiments on the learner's own eyes (coloured lines
// on white after a dark page, on black after a white one) and the graph of sensitivity
// over the time spent in the dark and back in the light.

namespace light::iro {

namespace {

// ---- figures ----

void horizontalLines(Page& p) {
    p.back(QBColor(15));
    p.drawWidth(2);
    for (int k = 0; k < 6; ++k)
        p.line(260, 110 + 30 * k, 340, 110 + 30 * k, QBColor(9 + k));
}

// The threshold of vision (the faintest light seen, relative, on a logarithmic scale)
// against time: it falls in the dark, at first with the cones and after the rod-cone break
// near 10 minutes with the rods, and rises back at once in the light. 5 units a minute
// from x 170 in the dark and from x 430 in the light again.
void adaptationGraph(Page& p) {
    const QRgb c = p.foreColour();
    p.print(150, 30, QStringLiteral("明                     暗                        明"));
    p.print(70, 120, QStringLiteral("閾"));
    p.print(70, 150, QStringLiteral("値"));
    p.box(150, 50, 500, 280, c);
    p.line(170, 50, 170, 280, c);
    p.line(430, 50, 430, 280, c);
    p.fore(QBColor(12));
    p.print(330, 150, QStringLiteral("暗順応          　明順応"));
    p.fore(c);
    // Right-aligned against the box, one decade a line, the highest threshold at the top.
    const char* decades[] = {"10000", "1000", "100", "10", "1"};
    for (int k = 0; k < 5; ++k) {
        const QString text = QString::fromLatin1(decades[k]);
        p.print(145 - p.textWidth(text) / p.scale(), 50 + 50 * k, text);
    }
    for (int minutes = 0; minutes <= 30; minutes += 5)
        centredLabel(p, 170 + 5 * minutes, 290, QString::number(minutes));
    for (int minutes = 0; minutes <= 10; minutes += 5)
        centredLabel(p, 430 + 5 * minutes, 300, QString::number(minutes));
    p.print(280, 320, QStringLiteral("経過時間（分）"));
    // The curve: a high threshold in the light, falling in the dark, rising back at once
    // in the light again.
    p.line(150, 60, 170, 60, c);
    p.arc(230, 60, 60, c, 3.316125, 4.537855);
    p.arc(358, 95, 140, c, 3.316125, 4.712388);
    p.line(358, 235, 430, 235, c);
    p.line(430, 235, 435, 80, c);
    p.arc(440, 79, 5, c, 1.570796, 3.141592);
    p.line(440, 74, 500, 74, c);
}

// ---- steps ----

void darkAdaptation(Page& p) {
    contentPage(p);
    p.narrate(20, 10, {QStringLiteral("明るい所から急に暗い所に入ると、はじめはよく見えませんが、")});
    p.pieces(20, {{QStringLiteral("しだいに物の形が見えてきます。これを")},
                  {QStringLiteral("暗順応"), 14},
                  {QStringLiteral("といいます。"), 15}});
    p.print();
    p.narrate(
        20, {QStringLiteral("画面の中央をよく見つめたまま，３秒ほどしたら再びリターンキーを押して下さい。")});
}

void linesOnWhite(Page& p) {
    p.cls();
    horizontalLines(p);
}

void whichFirst(Page& p) {
    linesOnWhite(p);
    p.fore(QBColor(12));
    p.print(350, 330, QStringLiteral("どの色の反応が早かったですか？"));
}

void lightAdaptation(Page& p) {
    p.cls();
    p.back(QBColor(0));
    p.fore(QBColor(15));
    p.narrate(20, 10, {QStringLiteral("反対に暗い所から明るい所に出ると、まわりがまぶしく、")});
    p.pieces(20, {{QStringLiteral("元のように見えるまでしばらくかかります。これを")},
                  {QStringLiteral("明順応"), 14},
                  {QStringLiteral("といいます。"), 15}});
    p.print();
    p.narrate(20, {QStringLiteral("画面の中央を見つめながらしばらくしてからキーを押して下さい。")});
}

// On the black page, with the line width the white page set.
void linesOnBlack(Page& p) {
    p.cls();
    p.drawWidth(2);
    for (int k = 0; k < 6; ++k)
        p.line(200 + 40 * k, 150, 200 + 40 * k, 250, QBColor(9 + k));
}

void whichFaster(Page& p) {
    p.cls();
    p.print(150, 10, QStringLiteral("どちらの方が順応が早かったですか？"));
}

void graph(Page& p) {
    p.cls();
    adaptationGraph(p);
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, darkAdaptation},
    {2, linesOnWhite},
    {3, whichFirst},
    {4, lightAdaptation},
    {5, linesOnBlack},
    {6, whichFaster},
    {7, graph},
};
// clang-format on

} // namespace

const lesson::Section lightAndDark{
    .number = 2, .topic = "明順応と暗順応", .steps = kSteps, .heading = {"明 順 応 と 暗 順 応", 190}};

} // namespace light::iro
