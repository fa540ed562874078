#include "lesson/Page.h"
#include "light/iro/sections.h"

// Colour adaptation: a page all in light blue, then lines on white that look tinged with
// its complement, and the complementary after-images of four coloured squares.

namespace light::iro {

namespace {

// ---- figures ----

// The four squares about a black fixation dot at (300, 200).
void fourSquares(Page& p) {
    p.box(150, 50, 300, 200, QBColor(10), Filled);
    p.box(300, 50, 450, 200, QBColor(14), Filled);
    p.box(150, 200, 300, 350, QBColor(9), Filled);
    p.box(300, 200, 450, 350, QBColor(12), Filled);
    p.solidFill(QBColor(0));
    p.circle(300, 200, 5, QBColor(0));
}

// The squares' outlines as dots, with the colour each after-image takes.
void afterImageKey(Page& p) {
    const QRgb c = p.foreColour();
    for (int b = 150; b <= 450; b += 4) {
        p.pset(b, 50, c);
        p.pset(b, 200, c);
        p.pset(b, 350, c);
        p.pset(150, b - 100, c);
        p.pset(300, b - 100, c);
        p.pset(450, b - 100, c);
    }
    p.print(200, 120, QStringLiteral("赤みの紫"));
    p.print(350, 120, QStringLiteral("紫みの青"));
    p.print(200, 270, QStringLiteral("橙"));
    p.print(350, 270, QStringLiteral("青緑"));
}

// ---- steps ----

void sunglasses(Page& p) {
    contentPage(p);
    p.print(15, 1, QStringLiteral("青いサングラスをはずすと、しばらく物が補色の黄色に見えます。"));
    p.pieces(
        20, 17,
        {{QStringLiteral("これを")}, {QStringLiteral("色順応"), 14}, {QStringLiteral("といいます。"), 15}});
    p.narrate(15, {QStringLiteral("リターンキーを押して，"),
                   QStringLiteral("画面をよく見つめたまま,３秒ほどしたら再びリターンキーを押して下さい。")});
}

void blueWindow(Page& p) {
    p.cls();
    p.back(QBColor(9));
}

// The line width is the 2 the adaptation lines left.
void linesOnWhite(Page& p) {
    p.cls();
    p.back(QBColor(15));
    p.drawWidth(2);
    p.line(300, 150, 300, 200, QBColor(10));
    p.line(320, 150, 320, 200, QBColor(14));
    p.line(340, 150, 340, 200, QBColor(12));
}

void afterImages(Page& p) {
    p.cls();
    p.back(QBColor(0));
    p.fore(QBColor(15));
    p.print(20, 10, QStringLiteral("明るい物を見つめた後で目を閉じたり、目をそらしたりすると、"));
    p.pieces(20, {{QStringLiteral("その")},
                  {QStringLiteral("補色の残像"), 14},
                  {QStringLiteral("がしばらく見えることは、よく知られています。"), 15}});
    p.fore(QBColor(13));
    const QString instruction =
        QStringLiteral("中心の黒点を約１０秒ほど凝視し，それからキーを押して下さい。");
    // Under the two lines where the squares leave room for it; at the smaller scales the
    // unscaled lines reach the squares' top (the last pixels of a line lie below its ink),
    // and the instruction stands right of the squares instead.
    if (p.lineTop() + p.lineHeight() - 3 <= Coord(50).pixels())
        p.narrate(20, {instruction});
    else
        p.printColumn(Device(Coord(450).pixels() + 8), Device(Coord(50).pixels()),
                      Device(p.deviceWidth() - 4), instruction);
    fourSquares(p);
}

void whiteWindow(Page& p) {
    p.cls();
    p.back(QBColor(15));
}

void afterImageAsked(Page& p) {
    p.cls();
    p.back(QBColor(0));
    p.fore(QBColor(15));
    p.print(10, 25, QStringLiteral("このような残像が得られましたか？"));
    afterImageKey(p);
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, sunglasses},
    {2, blueWindow},
    {3, linesOnWhite},
    {4, afterImages},
    {5, whiteWindow},
    {6, afterImageAsked},
};
// clang-format on

} // namespace

const lesson::Section colourAdaptation{
    .number = 3, .topic = "色順応", .steps = kSteps, .heading = {"色　順　応", 220}};

} // namespace light::iro
