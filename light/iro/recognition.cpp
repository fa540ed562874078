#include "dialogs/Answer.h"
#include "lesson/Page.h"
#include "light/figures.h"
#include "light/iro/sections.h"
#include "player/Prompts.h"

// Colour recognition: the eye as a detector, the eyeball in cross-section with its parts
// named, and a quiz in which the learner names every part by its legend number.

namespace light::iro {

namespace {

// ---- the labelled eyeball ----

void legend(Page& p) {
    p.fore(QBColor(10));
    p.print(280, 10, QStringLiteral("眼球の構造"));
    p.print();
    p.fore(QBColor(15));
    p.narrate(0, {QStringLiteral("①:ガラス体; ②:虹彩; ③:毛様体筋; ④:盲斑(視神経乳頭)"),
                  QStringLiteral("⑤:黄斑(中心窩); ⑥:網膜; ⑦:水晶体; ⑧:角膜")});
}

void leaderLines(Page& p) {
    const QRgb c = QBColor(11);
    p.line(335, 125, 325, 135, c);
    p.line(367, 203, 400, 203, c);
    p.line(271, 157, 268, 120, c);
    p.line(250, 170, 230, 170, c);
    p.line(230, 220, 263, 195, c);
    p.line(240, 240, 272, 194, c);
    p.line(375, 170, 400, 170, c);
}

// The position numbers the quiz asks about, in the fore colour (white).
void positionNumbers(Page& p) {
    struct Mark {
        double x, y;
    };
    static constexpr Mark kMarks[] = {{210, 160}, {265, 100}, {320, 135}, {405, 160},
                                      {405, 195}, {230, 245}, {215, 220}, {320, 160}};
    int n = 1;
    for (const Mark& m : kMarks)
        p.print(m.x, m.y, QString::number(n++));
}

void labelledEyeball(Page& p) {
    p.cls();
    medama(p, 320, 170);
    legend(p);
    leaderLines(p);
    positionNumbers(p);
}

// Part i's verdict line. Eight of them one under the other from y 215, so that all of
// them stay on the page whatever the scale.
void verdict(Page& p, int i, const QString& text, int colour) {
    p.fore(QBColor(colour));
    p.print(50, 200 + 15 * i, QString::number(i) + text);
    p.fore(QBColor(15));
}

// ---- steps ----

void introduction(Page& p) {
    contentPage(p);
    const QString lines[] = {
        QStringLiteral("私たちは、目を検出器として可視光を取り入れています。"),
        QStringLiteral("そして明るさや色を区別し、外界の物体を認識しています。"),
        QStringLiteral("形や色の知覚の生理学的・心理学的な研究は興味深いものです。"),
        QStringLiteral("しかし、まだ解明されていない問題も数多く残っています。"),
        QStringLiteral("ここでは、視覚と色覚について少し考えてみましょう。"),
    };
    p.at(20, 20);
    for (int k = 0; k < 5; ++k) {
        p.narrate(20, {lines[k]});
        if (k < 4) {
            p.print();
            p.pause(2);
        }
    }
}

// The drawing persists on the canvas image anyway; the eyeball alone, then with its parts.
void eyeball(Page& p) {
    p.cls();
    medama(p, 320, 170);
}

void eyeballParts(Page& p) {
    labelledEyeball(p);
}

// Part i (at position i of the drawing) is asked as question i; its legend number is the
// quiz row's accepted answer. A wrong reply (Cancel, letters, any other number) beeps,
// shows a red line and asks the same part again; -1 ends the quiz. Nothing but the
// leading number of the reply counts.
void namingQuiz(Page& p) {
    labelledEyeball(p);
    for (int i = 1; i <= 8;) {
        const QString reply = p.inputBox(
            QString::number(i) + QStringLiteral("の名前は何ですか？上の番号で答えなさい"), 7000, 7500);
        const double n = answerNumber(reply);
        if (n == answerNumber(p.rightAnswer(i))) {
            verdict(p, i, QStringLiteral(":間違っています。"), 0);
            verdict(p, i, QStringLiteral(":良くできました。"), 11);
            ++i;
        } else if (n == -1) {
            return;
        } else {
            Beep();
            verdict(p, i, QStringLiteral(":間違っています。"), 12);
        }
    }
}

void howWeSee(Page& p) {
    p.cls();
    p.print(10, 10, QStringLiteral("私たちは、目に入る光を感じることで物を見ています。"));
    medama(p, 320, 170);
    p.narrate(15, 240,
              {QStringLiteral("網膜に届いた光は視細胞に吸収され、"),
               QStringLiteral("視物質（桿体のロドプシン、錐体の3種のオプシン）に化学変化を起こします。"),
               QStringLiteral("そのエネルギーが視神経を刺激し、"),
               QStringLiteral("その信号（パルス）が大脳の視覚中枢に伝わって、"),
               QStringLiteral("視覚や色覚が生まれるのです。")});
}

void theoryOfColours(Page& p) {
    p.cls();
    p.narrate(10, 10,
              {QStringLiteral("色の感じ方は、1810年の『色彩論』で知覚の面から詳しく論じられました。"),
               QStringLiteral("今日の色彩科学は、ニュートン、ヤング、グラスマン、マクスウェル、"),
               QStringLiteral("ヘルムホルツらの研究を土台に、1931年のCIE表色系として築かれました。")});
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, introduction},
    {2, eyeball},
    {3, eyeballParts},
    {4, namingQuiz},
    {5, howWeSee},
    {6, theoryOfColours},
};
// clang-format on

// The naming quiz: part i (question i) is legend number 9 - i; a learner might first
// give the next legend number.
// clang-format off
constexpr lesson::QuizRow kQuizzes[] = {
    {4, 1, "8", "1"},
    {4, 2, "7", "8"},
    {4, 3, "6", "7"},
    {4, 4, "5", "6"},
    {4, 5, "4", "5"},
    {4, 6, "3", "4"},
    {4, 7, "2", "3"},
    {4, 8, "1", "2"},
};
// clang-format on

} // namespace

const lesson::Section recognition{.number = 1,
                                  .topic = "色の認識",
                                  .steps = kSteps,
                                  .quizzes = kQuizzes,
                                  .heading = {"色  の  認  識", 220}};

} // namespace light::iro
