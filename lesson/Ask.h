#pragma once
// How lessons judge an answer: ask the question in the window's answer dialog, compare the
// reply with the accepted answer, praise or correct with a text and a sound, and ask again
// until the answer is right (unless the lesson asks only once).

#include "dialogs/Answer.h"

#include <QPointF>
#include <QString>
#include <functional>
#include <optional>

class LessonWindow;

struct AskOptions {
    QString right = {};                     // the accepted answer, compared as a string
    std::optional<QPointF> feedbackAt = {}; // canvas position of the feedback text; none: no text
    QString rightText = QStringLiteral("You are right!");
    int rightColour = 2; // palette index
    QString wrongText = QStringLiteral("you are wrong!");
    int wrongColour = 4;
    QString rightSound = QStringLiteral("\\wave\\Applause.wav"); // empty: no sound
    QString wrongSound = QStringLiteral("\\wave\\Doing.wav");    // empty: no sound
    bool retry = true;                                           // false: one answer, judged once
    bool numeric = false; // compare the numeric values (answerNumber) instead of the strings
    // Runs before every show of the dialog: a lesson that clears and redraws its figure
    // for each try.
    std::function<void()> before = {};
    // Replaces the printed feedback text: a lesson that answers in its labels.
    std::function<void(bool right)> feedback = {};
};

// Sets gQuestion, shows the window's answer dialog (frmInputLight for the light window,
// frmInputMaterial for the matter window) modally and judges the reply. The feedback text
// is printed on the window's canvas at feedbackAt in its palette colour, over whatever
// is there, and the window's ForeColor is left as it was; then the cue plays. Returns true
// when the last reply was right. Throws Aborted when the window closes meanwhile.
bool Ask(LessonWindow& window, int question, const AskOptions& options);

// Sets gQuestion and shows the window's answer dialog modally, without judging: the
// reply is in gAnswers (the wave drawing's two numbers, the colour-mixing choices).
// Throws Aborted when the window closes meanwhile.
void ShowAnswerDialog(LessonWindow& window, int question);
