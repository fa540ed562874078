#include "lesson/Ask.h"
#include "lesson/Page.h"
#include "light/kika/sections.h"
#include "player/Random.h"

#include <QLabel>
#include <cmath>

// Newton's experiment rebuilt piece by piece (a sunbeam through a slit, a prism that
// splits it, a lens and a second prism that make it white again, a third prism that
// splits it once more), then scattering by fine particles for three wavelengths, and the
// closing remarks on geometric optics.

namespace light::kika {

using enum Control;

namespace {

constexpr double kDegree = 0.01745328888888889;

// ---- the apparatus, in the order the steps set it up ----

void slitAndSunbeam(Page& p) {
    p.line(580, 10, 580, 80, QBColor(1));
    p.line(580, 90, 580, 160, QBColor(1));
    p.line(610, 65, 550, 100);
    p.line(610, 69, 550, 104);
}

void firstPrism(Page& p) {
    p.polyline(p.foreColour(), {550, 80, 550, 120, 520, 90, 550, 80});
    p.line(550, 100, 533, 104);
    p.line(550, 104, 538, 109);
}

void screen(Page& p) {
    p.line(450, 70, 450, 140);
}

void dispersedEdges(Page& p) {
    p.line(533, 104, 450, 90);
    p.line(538, 109, 450, 123);
}

// Violet (light magenta) bent the most, at the top; red the least.
void firstSpectrum(Page& p) {
    p.line(533, 104, 450, 90, QBColor(13));
    p.line(534, 104, 450, 97, QBColor(9));
    p.line(534, 105, 450, 104, QBColor(11));
    p.line(535, 106, 450, 111, QBColor(10));
    p.line(536, 107, 450, 118, QBColor(14));
    p.line(537, 108, 450, 120, QBColor(12));
    p.line(538, 109, 450, 123, QBColor(12));
}

// A white biconvex lens where the screen stood: two arcs of radius 100 whose circles meet
// at x 450, filled from inside up to them.
void lens(Page& p) {
    p.arc(357, 105, 100, QBColor(15), 5.89921, 0.383972);
    p.arc(543, 105, 100, QBColor(15), 2.75762, 3.52556);
    p.fill(450, 100, QBColor(15), QBColor(15));
}

// The colours gather again at the second prism and leave it as one white beam.
void secondPrism(Page& p) {
    p.polyline(p.foreColour(), {330, 80, 360, 90, 330, 120, 330, 80});
    p.line(442, 91, 348, 104, QBColor(13));
    p.line(441, 98, 346, 105, QBColor(9));
    p.line(441, 104, 344, 106, QBColor(11));
    p.line(441, 111, 345, 107, QBColor(10));
    p.line(441, 118, 344, 108, QBColor(14));
    p.line(441, 120, 343, 109, QBColor(12));
    p.line(442, 122, 342, 109, QBColor(12));
    const QRgb c = p.foreColour();
    p.polyline(c, {348, 104, 330, 98, 245, 55});
    p.polyline(c, {342, 109, 330, 103, 245, 60});
}

void thirdPrism(Page& p) {
    p.polyline(p.foreColour(), {245, 40, 245, 85, 220, 80, 245, 40});
    p.line(245, 55, 237, 54);
    p.line(245, 60, 234, 59);
}

void secondSpectrum(Page& p) {
    p.line(70, 30, 70, 150, QBColor(1));
    p.line(237, 54, 70, 60, QBColor(12));
    p.line(236, 55, 70, 70, QBColor(12));
    p.line(235, 56, 70, 80, QBColor(14));
    p.line(234, 57, 70, 90, QBColor(10));
    p.line(233, 58, 70, 100, QBColor(9));
    p.line(232, 59, 70, 110, QBColor(13));
}

// ---- the scattering steps ----

constexpr QRgb kPaper = qRgb(255, 224, 192);

// 160 particles of random size and colour between x 350 and 500, one after the other
// with a short sleep between them when paced.
void particleField(Page& p, bool paced) {
    for (int i = 1; i <= 160; ++i) {
        const double radius = 4 * Rnd() * p.scale();
        const QRgb c = QBColor(int(8 * Rnd()));
        const double x = std::nearbyint(150 * Rnd() + 350);
        const double y = std::nearbyint(380 * Rnd() + 10);
        p.fillColour(c);
        p.circle(x, y, Device(radius), c);
        if (paced) p.Sleep(50); // one sleep, then the pending events
    }
}

// At the smallest scale the unscaled line would run off the canvas from x 300: there it
// ends at the canvas's edge instead.
void particlesNarration(Page& p) {
    const QString line = QStringLiteral("空気中には分子や微粒子が多く漂っています。");
    const double right = p.deviceWidth() - 4;
    p.print(Coord(300).pixels() + p.textWidth(line) <= right ? Coord(300)
                                                             : Coord(Device(right - p.textWidth(line))),
            200, line);
}

// The field as step 12 leaves it, drawn at once: for a scattering step entered with the
// Back buttons from a later one, which found the canvas cleared.
void freshField(Page& p) {
    p.hide(lblText1);
    p.back(kPaper);
    p.fore(QBColor(0));
    p.fillStyle(FillStyles::Solid);
    particleField(p, false);
    particlesNarration(p);
}

// One position of a wave: `width` device pixels side by side from the point, so the band
// is as wide at every scale.
void band(Page& p, double x, double y, int width, QRgb c) {
    for (int k = 0; k < width; ++k)
        p.pset(Device(Coord(x).pixels() + k), y, c);
}

// A wave drawn slowly sleeps 50 ms after each position, then lets the events through.
void paceWave(Page& p, bool paced) {
    if (paced) p.Sleep(50);
}

// The long wave (light red) passes the particles unchanged.
void longWave(Page& p, bool paced) {
    for (int i = 1; i <= 500; ++i) {
        const double v = 20 * std::sin(3 * kDegree * i);
        band(p, i + 50, 50 - v, 4, QBColor(12));
        paceWave(p, paced);
    }
}

// The short wave (light green) is bent downwards after x 420.
void shortWave(Page& p, bool paced) {
    for (int i = 1; i <= 500; ++i) {
        const double v = 10 * std::sin(10 * kDegree * i);
        band(p, i + 50, i <= 370 ? 150 - v : 150 - v + (i - 370), 4, QBColor(10));
        paceWave(p, paced);
    }
}

// The shortest wave (light blue) is turned back to the left and downwards.
void shortestWave(Page& p, bool paced) {
    for (int i = 1; i <= 500; ++i) {
        const double v = 8 * std::sin(20 * kDegree * i);
        if (i <= 340)
            band(p, i + 50, 250 - v, 2, QBColor(9));
        else
            band(p, 730 - i, 250 - v + (i - 340), 2, QBColor(9));
        paceWave(p, paced);
    }
}

void longWaveNarration(Page& p) {
    p.fore(QBColor(0));
    p.print(18, 80, QStringLiteral("波長の長い電磁波は、これらの粒子に影響されずに通り抜けます。"));
    p.fore(QBColor(6));
    p.print();
    p.narrate(18, {QStringLiteral("ところが、波長が短くなると…")});
    p.fore(QBColor(0));
}

void shortWaveNarration(Page& p) {
    p.fore(QBColor(0));
    p.print(18, 170, QStringLiteral("散乱の効果が大きくなり、進む向きが曲げられます。"));
}

void shortestWaveLead(Page& p) {
    p.fore(QBColor(0));
    p.print(18, 270, QStringLiteral("さらに波長が短くなると、散乱はいっそう強くなり、"));
}

void shortestWaveNarration(Page& p) {
    p.print(18, 290, QStringLiteral("光は途中で弱まったり、消えてしまったりします。"));
}

// ---- steps ----

// Every step of the experiment starts afresh with the heading; from step 6 on it is printed
// in black, so it no longer shows on the black ground.
void experimentPage(Page& p, bool headingShown) {
    p.cls();
    p.fore(QBColor(7));
    p.back(QBColor(0));
    p.fontSize(14);
    if (!headingShown) p.fore(QBColor(0));
    p.print(250, 10, QStringLiteral("ニュートンの混色実験"));
    p.fore(QBColor(7));
}

void reproduce(Page& p, bool headingShown) {
    experimentPage(p, headingShown);
    // In grey like every later label: black would not be seen on the black ground.
    p.lbldisp(lblText1, 18, 250, 7,
              QStringLiteral("プリズムとレンズを使って、ニュートンの実験を再現してみましょう。"));
}

void sunbeam(Page& p, bool headingShown) {
    reproduce(p, headingShown);
    p.hide(lblText1);
    p.lbldisp(lblText1, 18, 250, 7, QStringLiteral("太陽の光を、スリットを通して暗い部屋に導きます。"));
    slitAndSunbeam(p);
}

void prism(Page& p, bool headingShown) {
    sunbeam(p, headingShown);
    p.hide(lblText1);
    p.lbldisp(lblText1, 18, 290, 7, QStringLiteral("この光の中にプリズムを置くと、光は屈折します。"));
    firstPrism(p);
    screen(p);
}

void dispersion(Page& p, bool headingShown) {
    prism(p, headingShown);
    p.lbldisp(lblText2, 18, 310, 7,
              QStringLiteral("屈折率は波長によって違うので、光は波長ごとに分かれます。"));
    dispersedEdges(p);
}

void spectrum(Page& p, bool headingShown) {
    dispersion(p, headingShown);
    p.hide(lblText3);
    firstSpectrum(p);
}

void lensInstead(Page& p) {
    spectrum(p, false);
    p.hide({lblText1, lblText2});
    p.lbldisp(lblText1, 18, 250, 7, QStringLiteral("スクリーンのかわりにレンズを置くと、"));
}

void gatheredByLens(Page& p) {
    lensInstead(p);
    p.cls();
    slitAndSunbeam(p);
    firstPrism(p);
    firstSpectrum(p);
    lens(p);
}

void whiteAgain(Page& p) {
    gatheredByLens(p);
    p.hide(lblText1);
    p.lbldisp(lblText1, 18, 270, 7,
              QStringLiteral("分かれた光は再び集まり、第2のプリズムでは逆のことが起こって、"));
    p.lbldisp(lblText2, 18, Device(Coord(270).pixels() + p.deviceSize(lblText1).height()), 7,
              QStringLiteral("白色光にもどります。"));
    secondPrism(p);
}

void thirdPrismHere(Page& p) {
    whiteAgain(p);
    p.hide({lblText1, lblText2});
    p.lbldisp(lblText1, 18, 310, 7, QStringLiteral("ここに第3のプリズムを置くと、"));
    thirdPrism(p);
}

void sevenColoursAgain(Page& p) {
    thirdPrismHere(p);
    p.lbldisp(lblText2, 18, 330, 7, QStringLiteral("白色光は再び虹の色に分かれます。"));
    secondSpectrum(p);
}

// Steps 1 to 5, with the heading in grey.
void reproduceStep(Page& p) {
    reproduce(p, true);
}
void sunbeamStep(Page& p) {
    sunbeam(p, true);
}
void prismStep(Page& p) {
    prism(p, true);
}

// Which side of the split beam is violet? Asked until the answer is 2, over the figure as
// it stands; the verdict goes into the third label, in the light magenta (the dark one
// hardly shows on the black ground).
void prismQuiz(Page& p) {
    dispersion(p, true);
    AskOptions quiz;
    quiz.wrongSound = QStringLiteral("\\wave\\Boing.wav");
    quiz.feedback = [&p](bool right) {
        p.fore(QBColor(5));
        p.lbldisp(lblText3, 18, 150, 13,
                  right ? QStringLiteral("You are right!") : QStringLiteral("You are wrong!"));
    };
    p.ask(3, quiz);
}

void spectrumStep(Page& p) {
    spectrum(p, true);
}

void scattering(Page& p) {
    p.back(QBColor(0));
    p.fore(QBColor(7));
    p.hide({lblText1, lblText2});
    p.cls();
    p.lbldisp(lblText1, 18, 180, 7,
              QStringLiteral("分子や微粒子が光を受けて四方へ放射し直すことを散乱といいます。"));
}

void particles(Page& p) {
    p.hide(lblText1);
    p.back(kPaper);
    p.fore(QBColor(0));
    p.fillStyle(FillStyles::Solid);
    particleField(p, true);
    particlesNarration(p);
    p.setLastStep(12);
}

void longWaveStep(Page& p) {
    if (p.lastStep() > 13) freshField(p);
    longWave(p, true);
    longWaveNarration(p);
    p.setLastStep(13);
}

void shortWaveStep(Page& p) {
    if (p.lastStep() > 14) freshField(p);
    longWave(p, false);
    longWaveNarration(p);
    shortWave(p, true);
    shortWaveNarration(p);
    p.setLastStep(14);
}

void shortestWaveStep(Page& p) {
    if (p.lastStep() > 15) freshField(p);
    longWave(p, false);
    longWaveNarration(p);
    shortWave(p, false);
    shortWaveNarration(p);
    shortestWaveLead(p);
    shortestWave(p, true);
    shortestWaveNarration(p);
    p.setLastStep(15);
}

void summary(Page& p) {
    p.cls();
    p.back(QBColor(7));
    p.fore(QBColor(0));
    p.narrate(1, 1,
              {QStringLiteral("光の幾何学的な性質（直進・反射・屈折）を学びました。"),
               QStringLiteral("この知識を使って、"), QString(),
               QStringLiteral("レンズや望遠鏡（顕微鏡）などの光学機器が作られています。"),
               QStringLiteral("ここでは倍率などの原理は学びませんが、"),
               QStringLiteral("学校で習った平行光線・反射・屈折・焦点・虚像・実像を思い出しましょう。")});
    p.setLastStep(16);
}

void questions(Page& p) {
    summary(p);
    p.print();
    p.narrate(1, {QStringLiteral("以上の知識で、"), QString()});
    p.fore(QBColor(9));
    p.narrate(1, {QStringLiteral("1) 朝夕の空が赤く、昼の空が青いのはなぜか"),
                  QStringLiteral("1') テールランプや危険信号が赤いのはなぜか"),
                  QStringLiteral("1'') 海が青いのはなぜか、地球が青いといわれたのはなぜか"),
                  QStringLiteral("2) 七色の虹はどのようにしてできるのか"),
                  QStringLiteral("3) 国内放送に中波、国際放送に短波を使うのはなぜか"), QString()});
    p.fore(QBColor(0));
    p.narrate(1, {QStringLiteral("などが説明できることを付け加えておきます。")});
}

void raysNotColoured(Page& p) {
    p.cls();
    p.fore(QBColor(0));
    p.fontSize(14);
    p.narrate(18, 100,
              {QStringLiteral("ニュートンは光の物理的性質と感覚としての色をはっきり区別しました。"),
               QString(), QStringLiteral("ニュートンの言葉「光線には色がついていない」"),
               QStringLiteral("\"The Rays are not coloured.\"（『光学』1704年）"), QString(),
               QStringLiteral("この言葉の意味をよく考えてみてください。")});
}

void lightAsParticles(Page& p) {
    raysNotColoured(p);
    p.fontSize(14);
    p.narrate(18, {QString(), QStringLiteral("ニュートンは、光は粒子でできていると考えていたようです。"),
                   QString(),
                   QStringLiteral("粒子説では水中の光は速くなるはずで、1850年フーコーが否定しました。"),
                   QString(), QStringLiteral("しかも、粒子どうしはぶつかり合ってはいけません。")});
}

void closingLine(Page& p) {
    p.cls();
    p.fontSize(18);
    p.fore(QBColor(0));
    p.print(Device(150), Device(150), QStringLiteral("光は粒子である、しかし粒子ではない！"));
}

constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading}, {1, reproduceStep},  {2, sunbeamStep},        {3, prismStep},
    {4, prismQuiz},       {5, spectrumStep},   {6, lensInstead},        {7, gatheredByLens},
    {8, whiteAgain},      {9, thirdPrismHere}, {10, sevenColoursAgain}, {11, scattering},
    {12, particles},      {13, longWaveStep},  {14, shortWaveStep},     {15, shortestWaveStep},
    {16, summary},        {17, questions},     {18, raysNotColoured},   {19, lightAsParticles},
    {20, closingLine},
};

constexpr lesson::QuizRow kQuizzes[] = {
    {4, 3, "2", "1"}, // violet on the upper side of the split beam
};

} // namespace

// Step 21 ends the item: the procedure's end hands over to wave optics or to the menu.
const lesson::Section newton{.number = 3,
                             .topic = "ニュートンの実験と散乱",
                             .steps = kSteps,
                             .quizzes = kQuizzes,
                             .heading = {"ニュートン の 混色実験", 180}};

} // namespace light::kika
