#include "lesson/Ask.h"
#include "lesson/Page.h"
#include "light/figures.h"
#include "light/kika/sections.h"

#include <QLabel>
#include <cmath>

// Fermat's principle: light takes the path of least time. A race of three paths shows
// why it goes straight, a quiz with the mirror image why the angles of reflection are
// equal, and a path next to the right one why it bends where it enters water.

namespace light::kika {

using enum Control;

namespace {

// ---- figures ----

// A small filled dot with its name beside it, in the dot's colour.
void endPoint(Page& p, double x, double y, QRgb c, double nameX, double nameY, const QString& name) {
    p.solidFill(c);
    p.circle(x, y, 2, c);
    p.print(nameX, nameY, name);
}

// The race from P to Q: the straight path (yellow) against a V (light cyan) and a high
// arc (light green). All three advance in one loop, one point each a pass, so their
// speeds are what the learner compares: the straight one reaches Q after 382 passes,
// the V after 573, the arc after 637.
void pathRace(Page& p, bool paced) {
    endPoint(p, 27, 175, QBColor(12), 15, 170, QStringLiteral("P"));
    endPoint(p, 602, 175, QBColor(9), 610, 170, QStringLiteral("Q"));
    double x = 29; // the arc
    double s = 29; // the straight path
    int j = 29;    // the V
    while (x <= 602) {
        ++j;
        s += 1.5;
        const int h = j * 20 / 53;
        if (j <= 315)
            p.pset(j, h + 168, QBColor(11));
        else if (j <= 602)
            p.pset(j, 406 - h, QBColor(11));
        if (s <= 602) p.pset(s, 175, QBColor(14));
        const double m = std::nearbyint(315 - x);
        const double r = std::nearbyint(std::sqrt(320.0 * 320.0 - m * m));
        p.pset(x, 320 - r, QBColor(10));
        if (paced) p.pause(0.005);
        x += 0.9;
    }
}

void whyStraight(Page& p) {
    p.cls();
    p.back(QBColor(0));
    p.fontSize(14);
    p.fore(QBColor(11));
    p.print(230, 100, QStringLiteral("光はなぜまっすぐに進むのでしょうか？"));
}

void raceQuestion(Page& p, Coord y = 310) {
    p.print(20, y, QStringLiteral("PからQへ行くには、どの経路がいちばん速いでしょうか？"));
}

// The water surface seen from the side: the air above it outlined, the water filled, the
// source A and the point P that the reflected light reaches.
void reflectionFigure(Page& p) {
    p.box(150, 50, 450, 175, QBColor(1));
    p.box(150, 175, 450, 300, QBColor(9), Filled);
    p.print(145, 35, QStringLiteral("A"));
    p.print(445, 35, QStringLiteral("P"));
}

// The numbers of the paths from A to P by way of the surface, beside their rising legs.
constexpr LabelRow kReflectionLabels{"1      　2 　     3", 340, 90};
// The numbers of their mirror images below the surface.
constexpr LabelRow kMirrorLabels{"1'      2'       3'", 340, 240};
// The numbers of the three paths into the water.
constexpr LabelRow kRefractionLabels{"1      　 2     　  3", 170, 110};

void candidatePaths(Page& p) {
    p.polyline(QBColor(2), {150, 50, 200, 175, 450, 50});
    p.polyline(QBColor(6), {150, 50, 300, 175, 450, 50});
    p.polyline(QBColor(4), {150, 50, 400, 175, 450, 50});
    NumberRow(p, kReflectionLabels);
}

// The mirror image P' of P in the surface: the water turns grey, and each path goes on
// below it in its own colour as if the surface were not there.
void mirrorConstruction(Page& p) {
    p.box(150, 175, 450, 300, QBColor(7), Filled);
    p.box(150, 175, 450, 300, QBColor(9));
    // P' in grey like A and P: the step before leaves the fore colour black, in which it
    // would not be seen on the black ground.
    p.fore(QBColor(7));
    p.print(445, 305, QStringLiteral("P'"));
    p.line(200, 175, 450, 300, QBColor(2));
    p.line(300, 175, 450, 300, QBColor(6));
    p.line(400, 175, 450, 300, QBColor(4));
    p.fore(QBColor(0));
    NumberRow(p, kMirrorLabels);
}

// The air and the water of the refraction steps.
void refractionMedia(Page& p) {
    p.fillStyle(FillStyles::Transparent);
    p.box(150, 50, 450, 175, QBColor(1));
    p.box(150, 175, 450, 300, QBColor(9), Filled);
}

// Where the path of least time from A (150, 50) to P (450, 300) crosses the surface y 175
// into water of index 1.33: the x that makes sin(θi) = 1.33 sin(θr), about 347.2. The
// neighbouring path crosses 30 units to the left of it.
constexpr double kLeastTimeX = 347, kNeighbourX = 317;

// The refraction figure with the right path (yellow) and one very close to it (light red).
void neighbouringPaths(Page& p) {
    refractionMedia(p);
    p.polyline(QBColor(14), {150, 50, kLeastTimeX, 175, 450, 300});
    p.polyline(QBColor(12), {150, 50, kNeighbourX, 175, 450, 300});
}

// ---- steps ----

void heading(Page& p) {
    p.cls();
    p.fore(QBColor(14));
    p.back(QBColor(0));
    p.fontSize(32);
    p.print(200, 150, QStringLiteral("フェルマー の 原理"));
}

void race(Page& p) {
    whyStraight(p);
    pathRace(p, true);
    raceQuestion(p);
}

// The question, an empty line and the answer fit under the race where the page is large;
// where the unscaled font takes more of it, the answer would run under the navigation
// row and past the right edge: there it follows the question at once, wrapped, and the
// question moves up just so far that the answer ends above the row.
void leastTime(Page& p) {
    whyStraight(p);
    pathRace(p, false);
    const QString answer = QStringLiteral("光は、目的地までいちばん短い時間で行ける経路を選んで進みます。");
    const bool roomy = p.aboveButtons(310, 3).pixels() == Coord(310).pixels() &&
                       Coord(20).pixels() + p.textWidth(answer) <= p.deviceWidth();
    if (roomy) {
        raceQuestion(p);
        p.print();
        p.fore(QBColor(15));
        p.narrate(20, {answer});
    } else {
        raceQuestion(p, p.aboveButtons(310, 3));
        p.fore(QBColor(15));
        p.printWrapped(20, answer);
    }
    p.fore(QBColor(15));
}

void whyEqualAngles(Page& p) {
    p.cls();
    p.back(QBColor(0));
    p.print(18, 150, QStringLiteral("反射角が入射角と等しくなる理由を考えてみましょう。"));
}

void reflectionPage(Page& p) {
    p.cls();
    p.fillStyle(FillStyles::Transparent);
    p.fore(QBColor(7));
    p.back(QBColor(0));
    reflectionFigure(p);
    p.lbldisp(lblText1, 18, 300, 7, QStringLiteral("Aを出た光は水面で反射してPに届きます。"));
}

void reflectionPaths(Page& p) {
    reflectionPage(p);
    candidatePaths(p);
}

// Asked until the answer is path 2, without redrawing: the feedback goes to (18, 200)
// after a line of blanks there. The blanks print nothing, so the verdict of the try
// before is printed over in black first, or the right answer would land on the wrong one.
void reflectionQuiz(Page& p) {
    reflectionPaths(p);
    AskOptions quiz;
    quiz.numeric = true;
    quiz.wrongSound = QStringLiteral("\\wave\\Boing.wav");
    quiz.before = [&p] { p.hide(lblText1); };
    quiz.feedback = [&p](bool right) {
        p.fore(QBColor(0));
        p.print(18, 200, QStringLiteral("You are wrong!"));
        p.fore(QBColor(7));
        p.print(18, 200, QStringLiteral("   "));
        p.at(18, 200);
        p.print(right ? QStringLiteral("You are right!") : QStringLiteral("You are wrong!"));
    };
    p.ask(2, quiz);
}

const std::initializer_list<QString> kMirrorLead = {
    QStringLiteral("次のように考えてみましょう。"),
    QStringLiteral("反射面に対してPと対称な点P'までの経路を考えます。")};

// The quiz's verdict stays on the figure in the quiz's own grey, so the learner still
// sees which path was right.
void solvedReflection(Page& p) {
    reflectionPaths(p);
    p.hide(lblText1);
    p.fore(QBColor(7));
    p.narrate(20, 1, kMirrorLead);
    p.print(18, 200, QStringLiteral("You are right!"));
}

void mirrorImage(Page& p) {
    solvedReflection(p);
    mirrorConstruction(p);
}

void equivalentPaths(Page& p) {
    mirrorImage(p);
    p.fore(QBColor(7));
    p.narrate(18, 310,
              {QStringLiteral("経路1, 2, 3は、それぞれ経路1', 2', 3'と同じ長さです。"),
               QStringLiteral("光は最も短い時間で進める経路を通ります。")});
}

void principle(Page& p) {
    equivalentPaths(p);
    const std::initializer_list<Piece> principleLine = {{QStringLiteral("これを"), 7},
                                                        {QStringLiteral("フェルマーの原理"), 14},
                                                        {QStringLiteral("あるいは"), 7},
                                                        {QStringLiteral("最小時間の原理"), 14},
                                                        {QStringLiteral("といいます   "), 7}};
    const QString question = QStringLiteral("もう、どの経路が正しいかわかりましたね。");
    // Under the figure where there is room above the navigation row. At the smaller scales
    // the unscaled lines do not leave it: the principle and the question take the place of
    // the two lines at the top, whose thought the figure has carried out; those are
    // printed over in black first.
    if (p.inkAboveButtons(p.lineTop(), 2)) {
        p.pieces(18, principleLine);
        p.fore(QBColor(5));
        p.narrate(18, {question});
        return;
    }
    p.fore(QBColor(0));
    p.narrate(20, 1, kMirrorLead);
    p.pieces(18, 1, principleLine);
    p.fore(QBColor(5));
    p.narrate(18, {question});
}

void equalAnglesFollow(Page& p) {
    p.cls();
    p.fore(QBColor(7));
    p.print(18, 10, QStringLiteral("その結果、"));
    p.solidFill(QBColor(4));
    p.box(150, 250, 450, 270, QBColor(4));
    p.fillStyle(FillStyles::Transparent);
    p.polyline(QBColor(6), {150, 100, 300, 250, 450, 100});
    p.line(300, 100, 300, 250, QBColor(7));
    ReflectionAngleMarks(p);
    p.print(270, 190, QStringLiteral("θi 　  θr"));
    p.print(200, 300, QStringLiteral("入射角θiと反射角θrが等しくなるのです。"));
}

void whyRefract(Page& p) {
    p.cls();
    p.fore(QBColor(7));
    p.print(18, 0, QStringLiteral("次に、フェルマーの原理を使って屈折の理由を調べましょう。"));
    refractionMedia(p);
    p.print(465, 105, QStringLiteral("空気(屈折率 n = 1)"));
    p.print(465, 225, QStringLiteral("水(屈折率 n = 1.33)"));
    p.polyline(QBColor(4), {150, 50, 200, 175, 450, 300});
    p.line(150, 50, 450, 300, QBColor(1));
    p.polyline(QBColor(6), {150, 50, kLeastTimeX, 175, 450, 300});
    NumberRow(p, kRefractionLabels);
    p.print(140, 35, QStringLiteral("A"));
    const QString first = QStringLiteral("屈折率nの媒質の中では、光の見かけの速さはc/nになります。");
    // P stands under the water's corner, unless the narration below the figure (the
    // font is not scaled) reaches it there: then beside the corner.
    if (Coord(18).pixels() + p.textWidth(first) < Coord(445).pixels())
        p.print(445, 305, QStringLiteral("P"));
    else
        p.print(Device(Coord(450).pixels() + 3), Device(Coord(300).pixels() - p.lineHeight()),
                QStringLiteral("P"));
    const QString question = QStringLiteral("AからPへいちばん早く着くのはどの経路でしょうか？");
    // The question closes the narration under the figure; where the unscaled font leaves
    // no room for it there above the navigation row, it goes up under the first line,
    // right of A.
    const bool below = p.inkAboveButtons(Coord(310).pixels(), 3);
    p.narrate(18, 310, {first, QStringLiteral("n > 1なので、光は媒質の中ではゆっくり進みます。")});
    if (below)
        p.narrate(18, {question});
    else
        p.print(160, Device(p.lineHeight()), question);
}

void neighbouringPathPage(Page& p) {
    p.cls();
    p.lbldisp(lblText1, 18, 0, 7, QStringLiteral("正しい経路が見つかったとしましょう。"));
    p.lbldisp(lblText2, 18, Device(p.deviceSize(lblText1).height()), 7,
              QStringLiteral("正しい経路（黄）と、そのすぐ近くを通る経路（赤）を考えます。"));
    p.lbldisp(lblText3, 18, 320, 7, QStringLiteral("この二つの経路を進む時間の差は、ほとんどありません。"));
    neighbouringPaths(p);
}

void perpendiculars(Page& p) {
    neighbouringPathPage(p);
    p.hide({lblText1, lblText2, lblText3});
    p.fore(QBColor(7));
    p.print(445, 305, QStringLiteral("Q"));
    p.narrate(0, 0,
              {QStringLiteral("点a, bから、もう一方の経路に垂線を下ろします。"),
               QStringLiteral("ax = ab × sin(∠abx),  by = ab × sin(∠bay)"),
               QStringLiteral("axとbyを進む時間は等しいので、ax/n = by")});
    // P above the corner, unless the narration's lines (the font is not scaled) come down
    // over it: then left of the corner, under them. The last pixels of a line's height
    // lie below its ink.
    if (p.lineTop() <= Coord(40).pixels() + p.lineHeight() / 4)
        p.print(145, 40, QStringLiteral("P"));
    else
        p.print(Device(Coord(150).pixels() - p.textWidth(QStringLiteral("P")) - 3), Device(p.lineTop()),
                QStringLiteral("P"));
    // b, the neighbour's crossing; a, the right one. x is the foot of the perpendicular
    // from b on the right path in air, y the foot of the one from a on the neighbour's
    // path in water.
    p.print(kNeighbourX - 10, 165, QStringLiteral("b"));
    p.print(kLeastTimeX + 2, 165, QStringLiteral("a"));
    p.line(kNeighbourX, 175, 325.6, 161.4);
    p.line(kLeastTimeX, 175, 332.9, 190);
    p.print(324, 152, QStringLiteral("x"));
    p.print(321, 185, QStringLiteral("y"));
}

void snellFromFermat(Page& p) {
    perpendiculars(p);
    p.line(kLeastTimeX, 100, kLeastTimeX, 250);
    p.print(18, 320, QStringLiteral("一方、∠abx = θi（入射角）、∠bay = θr（屈折角）ですから、"));
    const QRgb c = p.foreColour();
    // The arcs span the true angles of the right path: θi = atan(197/125), θr = atan(103/125).
    p.arc(kLeastTimeX, 175, 40, c, 1.5708, 2.57618);
    p.arc(kLeastTimeX, 175, 40, c, 4.71239, 5.40159);
    p.print(307, 125, QStringLiteral("θi"));
    p.print(352, 215, QStringLiteral("θr"));
    p.print(18, 340, QStringLiteral("したがって、sin(θi) = n × sin(θr) となります。"));
}

void towardsNewton(Page& p) {
    p.cls();
    p.narrate(18, 100,
              {QStringLiteral("媒質の中での光の速さ、つまり屈折率は波長によって違います。"),
               QStringLiteral("言いかえると、光の曲がり方は波長ごとに違うのです。"), QString(),
               QStringLiteral("このことをくわしく調べたのがニュートンです。")});
}

constexpr lesson::StepRow kSteps[] = {
    {0, heading},
    {1, whyStraight},
    {2, race},
    {3, leastTime},
    {4, whyEqualAngles},
    {5, reflectionPage},
    {6, reflectionPaths},
    {7, reflectionQuiz},
    {8, solvedReflection},
    {9, mirrorImage},
    {10, equivalentPaths},
    {11, principle},
    {12, equalAnglesFollow},
    {13, whyRefract},
    {14, neighbouringPathPage},
    {15, perpendiculars},
    {16, snellFromFermat},
    {17, towardsNewton},
};

constexpr lesson::QuizRow kQuizzes[] = {
    {7, 2, "2", "1"}, // the path of equal angles, read as a number
};

} // namespace

// Step 18 closes the section: on to Newton's experiment, without a title card.
const lesson::Section fermat{2, "フェルマーの原理", kSteps, nullptr, kQuizzes};

} // namespace light::kika
