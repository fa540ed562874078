#pragma once
// What a well-prepared learner answers: the accepted answer of every question the lessons
// ask, and a plausible wrong answer to give first when the driver is told to make
// mistakes. A question that is not in the table is answered by trying "1", "2", ... in
// turn; the lessons ask a wrongly answered question again.

#include <QString>
#include <QStringList>
#include <optional>

namespace driver {

// Where a question is asked: the dialog class (or "QInputDialog", "QMessageBox"), the
// question number or prompt, and the lesson procedure, section and step that ask it.
struct AskedAt {
    QString dialog;
    int question = 0;
    QString prompt;
    QString procedure;
    int section = -1;
    int step = -1;
};

struct KnownAnswer {
    // The text typed into each field (one field, or amplitude and frequency). When a step
    // asks the same question again after a right answer, the next entry is used.
    QList<QStringList> right;
    // A wrong answer to give first; empty when every answer counts (nothing is judged).
    QStringList wrong;
    // True when a wrong answer makes the lesson ask again; false when it is judged once.
    bool retried = true;
};

// The answer dialogs (frmInputLight, frmInputMaterial) and the lessons' text-input boxes.
std::optional<KnownAnswer> knownAnswer(const AskedAt& at);

// Questions of a message box that the learner answers on purpose. Returns the button to
// press ("Yes", "No", "OK", "Cancel"), or an empty string for "the default button".
// again: true when the learner wants to try the exercise once more.
QString messageBoxChoice(const QString& text, bool again);

// The reply to a text-input box that offers the exercise again ("y"/"n").
std::optional<QString> againReply(const QString& prompt, bool again);

// The n-th candidate (0-based) for a question that is not in the table: "1", "2", ...
QString fallbackAnswer(int n);
constexpr int kFallbackAnswers = 9;

} // namespace driver
