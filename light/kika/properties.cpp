#include "lesson/Page.h"
#include "light/figures.h"
#include "light/kika/sections.h"

// The properties of light: it goes straight, it is reflected with equal angles, and it
// bends where it enters water; a quiz asks which way.

namespace light::kika {

using enum Control;

namespace {

// ---- figures ----

// The reflection figure: a red mirror and a yellow ray that comes down to it at 45
// degrees and goes up again. Reached by Next the ray is traced slowly; the next step
// draws it at once.
void mirrorReflection(Page& p, bool traced) {
    p.cls();
    p.back(QBColor(0));
    p.print(220, 70, QStringLiteral("光は物体の表面で反射します。"));
    p.solidFill(QBColor(4));
    p.fore(QBColor(4));
    p.box(150, 250, 450, 270, QBColor(4), Filled);
    p.fore(QBColor(0));
    p.fillStyle(FillStyles::Transparent);
    for (int i = 1; i <= 300; ++i) {
        Page::busy(100);
        if (i <= 150)
            p.pset(i + 150, i + 100, QBColor(14)); // down to the mirror
        else
            p.pset(i + 150, 400 - i, QBColor(14)); // and up again
        if (traced) p.pause(0.1, 20);              // one 20 ms sleep, then the pending events
    }
}

// The refraction page: the narration, the air/water figure and the incident ray.
void refractionFigure(Page& p, bool traced) {
    p.cls();
    p.back(QBColor(0));
    p.autoRedraw(true);
    p.print(20, 0, QStringLiteral("光は別の媒質に入るとき、進む向きを変えます（屈折）。"));
    p.print(100, Device(100), QStringLiteral("光が空気（屈折率 n = 1）の中を進みます。"));
    AirWaterFigure(p);
    IncidentRay(p, traced ? 0.005 : 0);
}

// The question of the quiz: which of the three paths does the ray take in the water?
void refractionQuestion(Page& p) {
    refractionFigure(p, false);
    CandidatePaths(p);
}

// ---- steps ----

void geometricOpticsFirst(Page& p) {
    p.cls();
    p.back(QBColor(0));
    p.fontSize(14);
    p.print(180, 150, QStringLiteral("まず、幾何光学について学びましょう。"));
}

// The photon flies to the right until it reaches the window's inner edge.
void straightPropagation(Page& p) {
    p.cls();
    p.back(QBColor(0));
    p.print(100, 10, QStringLiteral("光は真空中や一様な物質の中をまっすぐに進みます。"));
    p.print();
    p.place(Picture1, 100, 30);
    p.resize(Picture1, Device(550), Device(35));
    p.load(Picture1, QStringLiteral("Light\\r-1.jpg"));
    p.show(Picture1);
    p.pause(0.5);
    p.load(Image1, QStringLiteral("Light\\photon.bmp"));
    p.place(Image1, Device(10), Device(120));
    p.show(Image1);
    while (p.devicePos(Image1).x() < p.deviceWidth()) {
        p.pause(0.05);
        const QPoint at = p.devicePos(Image1);
        p.place(Image1, Device(at.x() + 1), Device(at.y()));
    }
    p.print(Device(50), Device(150),
            QStringLiteral("光はなぜ曲がったり散ったりせずに直進するのでしょうか？"));
    p.hide(Image1);
}

void reflection(Page& p) {
    mirrorReflection(p, true);
}

void equalAngles(Page& p) {
    mirrorReflection(p, false);
    p.fore(QBColor(7));
    p.line(300, 100, 300, 250); // the normal
    ReflectionAngleMarks(p);
    p.print(270, 190, QStringLiteral("θi   　θr"));
    p.print(220, 290, QStringLiteral("入射角θiと反射角θrは等しくなります。"));
    p.print();
    p.fore(QBColor(3));
    p.print(QStringLiteral("なぜθiとθrは等しいのでしょうか？"));
    p.fore(QBColor(0));
    p.fillStyle(FillStyles::Transparent);
}

void refraction(Page& p) {
    refractionFigure(p, true);
}

// The quiz: asked on a freshly drawn figure until the answer is path 1.
void refractionQuiz(Page& p) {
    refractionQuestion(p);
    AskOptions quiz = feedbackAt(50, 320);
    quiz.rightText = QStringLiteral("You are right!");
    quiz.rightColour = 7;
    quiz.wrongText = QStringLiteral("You are wrong!");
    quiz.wrongColour = 7;
    quiz.before = [&p] {
        p.cls();
        refractionQuestion(p);
    };
    p.ask(1, quiz);
    p.fore(QBColor(7));
}

// The answer: outside the frame turns grey, the water is redrawn over the candidates, and
// the ray goes on along path 1 (the other two are drawn in the water's colour).
void refractionAnswer(Page& p) {
    refractionQuestion(p);
    p.fore(QBColor(15));
    // The frame again first: the ray's dots and the paths' ends have cut into it, and the
    // fill must not leak inside.
    p.box(100, 100, 450, 300, QBColor(1));
    p.fill(50, 50, QBColor(7), QBColor(1));
    p.box(100, 200, 450, 300, QBColor(9), Filled);
    p.line(270, 200, 330, 300, QBColor(14));
    p.line(440, 300, 270, 200, QBColor(9));
    p.lineTo(383, 300, QBColor(9));
    IncidentRay(p);
    p.fore(QBColor(15));
}

// The answer with the normal at the entry point and the two angles named.
void refractionAngles(Page& p) {
    refractionAnswer(p);
    p.line(270, 100, 270, 300, QBColor(2));
    p.fore(QBColor(9));
    p.print(245, 160, QStringLiteral("θi"));
    p.fore(QBColor(15));
    p.print(270, 230, QStringLiteral("θr"));
}

void snellsLaw(Page& p) {
    refractionAngles(p);
    p.fore(QBColor(0));
    p.print(Device(20), 310, QStringLiteral("θiとθrの間には次の関係があります。"));
    for (const QString& line :
         {QStringLiteral("sinθi      n"), QStringLiteral("---- = ----"), QStringLiteral("sinθr      1")}) {
        p.atX(Device(20));
        p.print(line);
    }
}

// Drawn over the law of refraction: the question that leads to Fermat's principle.
void whyBend(Page& p) {
    p.fore(QBColor(3));
    p.print(100, 50, QStringLiteral("なぜ光は曲がるのでしょうか？"));
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, geometricOpticsFirst},
    {2, straightPropagation},
    {3, reflection},
    {4, equalAngles},
    {5, refraction},
    {6, refractionQuiz},
    {7, refractionAnswer},
    {8, refractionAngles},
    {9, snellsLaw},
    {10, whyBend, lesson::DrawnOver},
};
// clang-format on

// clang-format off
constexpr lesson::QuizRow kQuizzes[] = {
    {6, 1, "1", "3"},
};
// clang-format on

} // namespace

// Step 11 closes the section: on to Fermat's principle, without a title card.
const lesson::Section properties{.number = 1,
                                 .topic = "光の性質",
                                 .steps = kSteps,
                                 .quizzes = kQuizzes,
                                 .heading = {"光　の　性　質", 220}};

} // namespace light::kika
