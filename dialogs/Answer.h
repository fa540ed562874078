#pragma once
// How lessons judge an answer: ask the question in the window's answer dialog, compare the
// reply with the accepted answer, praise or correct with a text and a sound, and ask again
// until the answer is right (unless the lesson asks only once).

#include <QPointF>
#include <QString>
#include <optional>

class LessonWindow;

struct AskOptions {
    QString right;                     // the accepted answer, compared as a string
    std::optional<QPointF> feedbackAt; // canvas position of the feedback text; none: no text
    QString rightText = QStringLiteral("You are right!");
    int rightColour = 2; // palette index
    QString wrongText = QStringLiteral("you are wrong!");
    int wrongColour = 4;
    QString rightSound = QStringLiteral("\\wave\\Applause.wav");
    QString wrongSound = QStringLiteral("\\wave\\Doing.wav");
    bool retry = true; // false: one answer, judged once
};

// Sets gQuestion, shows the window's answer dialog (frmInputLight for the light window,
// frmInputMaterial for the matter window) modally and judges the reply. Returns true when
// the last reply was right. Throws Aborted when the window closes meanwhile.
bool Ask(LessonWindow& window, int question, const AskOptions& options);
