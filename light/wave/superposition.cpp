#include "lesson/Ask.h"
#include "lesson/Page.h"
#include "light/wave/sections.h"
#include "player/Prompts.h"

#include <array>
#include <cmath>

// Superposition: the learner types the amplitude and frequency of two waves, each is
// drawn as it is computed, and then their sum. The exercise can be repeated at will.

namespace light::wave {

namespace {

// Amplitude 1, frequency 1, amplitude 2, frequency 2, as the learner typed them last.
// The lesson window keeps them between the calls of the exercise's steps.
std::array<qint16, 4> WaveParams{};

const QRgb kWhite = QBColor(15);

// A typed number as a 16-bit integer, rounded as the dialog rounded it to check its
// range (the dialog admits only 5 to 50 and 5 to 20, so it always fits).
qint16 typedInteger(const QString& text) {
    const double v = std::nearbyint(answerNumber(text));
    if (!(v >= -32768 && v <= 32767)) return 0;
    return qint16(v);
}

// Asks the two numbers of one wave (question 4).
void askWave(Page& p, qint16& amplitude, qint16& frequency) {
    const AnswerFields typed = p.askValue(4);
    amplitude = typedInteger(typed.first);
    frequency = typedInteger(typed.second);
}

void sumNarration(Page& p) {
    p.fontSize(14);
    p.back(QBColor(0));
    p.fore(kWhite);
    p.print(20, 10, QStringLiteral("媒質中の独立な波は重なり合い、それらの単純な和の波になります。"));
}

// Printed as numbers are: a positive one after a blank.
QString number(qint16 v) {
    return v >= 0 ? QStringLiteral(" %1").arg(v) : QString::number(v);
}

// ---- steps ----

void independentWaves(Page& p) {
    p.cls();
    sumNarration(p);
    p.setLastStep(1);
}

void firstWave(Page& p) {
    p.cls();
    sumNarration(p);
    p.line(50, 20, 50, 350, kWhite);
    askWave(p, WaveParams[0], WaveParams[1]);
    Wave_sub1(p, 1, WaveParams[0], WaveParams[1]);
    p.setLastStep(2);
}

// Coming back from the sum, the learner lands on the question for wave 1: the second
// wave alone, drawn over nothing, would make no sense.
void secondWave(Page& p) {
    if (p.lastStep() > p.step()) {
        p.goTo(p.step() - 1, Arrive::ByBackOne);
        return;
    }
    sumNarration(p);
    askWave(p, WaveParams[2], WaveParams[3]);
    Wave_sub1(p, 2, WaveParams[2], WaveParams[3]);
    p.setLastStep(3);
}

void sum(Page& p) {
    p.print(5, 275, QStringLiteral("1 + 2"));
    p.line(50, 280, 410, 280, kWhite);
    const auto [a1, f1, a2, f2] = WaveParams;
    for (int i = 1; i <= 360; ++i) {
        const double y = a2 * std::sin(f2 * i * kDegree) + a1 * std::sin(f1 * i * kDegree);
        p.pset(i + 50, 280 - y, QBColor(14));
    }
    p.setLastStep(4);
}

// Once more: the page cleared and on to the first wave's question; otherwise on to the
// section's close.
void again(Page& p) {
    if (p.msgBox(QStringLiteral("もう一度やってみますか？"), MsgButtons::YesNo, MsgIcon::None,
                 QStringLiteral("メッセージ")) == MsgResult::Yes) {
        p.cls();
        p.goTo(2);
    } else {
        p.goTo(p.step() + 1);
    }
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, independentWaves},
    {2, firstWave},
    {3, secondWave, lesson::DrawnOver},
    {4, sum, lesson::DrawnOver},
    {5, again, lesson::DrawnOver},
};
// clang-format on

// The amplitudes and frequencies the tour and the whole-course run type: two waves
// whose sum is plainly neither of them.
constexpr lesson::QuizRow kQuizzes[] = {
    {2, 4, "20,5", "", lesson::Judged::NotJudged},
    {3, 4, "30,10", "", lesson::Judged::NotJudged},
};

} // namespace

void Wave_sub1(Page& p, const qint16& which, qint16 amplitude, qint16 frequency) {
    double axis = 0;
    QRgb colour = 0;
    if (which == 1) {
        axis = 80;
        colour = QBColor(11);
    } else if (which == 2) {
        axis = 180;
        colour = QBColor(13);
    } else {
        return;
    }
    p.print(10, axis - 5, QString::number(which));
    p.line(50, axis, 410, axis, kWhite);
    for (int i = 1; i <= 360; ++i) {
        // Wave 2 takes i·f as a 16-bit integer; at most 360 · 20 it is the same number.
        const double degrees = which == 1 ? frequency * double(i) : double(qint16(i * frequency));
        p.pset(i + 50, axis - amplitude * std::sin(degrees * kDegree), colour);
        p.Sleep(15);
        p.events();
    }
    p.print(420, axis - 10, QStringLiteral("振幅:") + number(amplitude));
    p.print(420, axis + 10, QStringLiteral("周波数:") + number(frequency));
}

// Step 6 closes the section: on to Huygens' principle, without a title card.
const lesson::Section superposition{.number = 2,
                                    .topic = "波の重ね合わせ",
                                    .steps = kSteps,
                                    .quizzes = kQuizzes,
                                    .heading = {"波 の 重 ね 合わせ", 200}};

} // namespace light::wave
