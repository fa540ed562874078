#include "lesson/Ask.h"

#include "dialogs/frmInputLight.h"
#include "dialogs/frmInputMaterial.h"
#include "lesson/Course.h"
#include "lesson/LessonWindow.h"
#include "player/globals.h"

void ShowAnswerDialog(LessonWindow& window, int question) {
    gQuestion = std::int16_t(question);
    // A fresh dialog for every show: nothing of an earlier question survives. It lives on
    // this stack, so a lesson that unwinds because its window closed takes it along.
    if (window.courseDecl().id == course::Id::Light) {
        frmInputLight dialog(&window);
        dialog.showModal();
    } else {
        frmInputMaterial dialog(&window);
        dialog.showModal();
    }
}

bool Ask(LessonWindow& window, int question, const AskOptions& options) {
    QString shown; // the feedback printed for the try before, still on the canvas
    for (;;) {
        if (options.before) options.before();
        ShowAnswerDialog(window, question);
        const bool right = options.numeric ? answerNumber(gAnswers[0]) == answerNumber(options.right)
                                           : gAnswers[0] == options.right;
        if (options.feedback) {
            options.feedback(right);
        } else if (options.feedbackAt) {
            // Printed with a transparent background: the earlier verdict on the same spot
            // is printed over in the background colour first, or the two read as one.
            const auto printAt = [&](QRgb colour, const QString& text) {
                window.CurrentX = options.feedbackAt->x();
                window.CurrentY = options.feedbackAt->y();
                window.ForeColor = colour;
                window.Print(text);
            };
            if (!shown.isEmpty()) printAt(window.backColor(), shown);
            shown = right ? options.rightText : options.wrongText;
            printAt(QBColor(right ? options.rightColour : options.wrongColour),
                    shown); // the colour stays set
        }
        const QString& sound = right ? options.rightSound : options.wrongSound;
        if (!sound.isEmpty()) window.PlaySound(sound);
        if (right || !options.retry) return right;
    }
}
