#pragma once
// The learner's hand at the dialogs a step opens: the answer dialogs (through Replyable),
// message boxes and the lessons' text-input boxes. Right answers come from the course
// registry's quiz rows; a wrong one goes first when the learner is told to make mistakes;
// a question the registry does not know is answered by trying "1", "2", ... in turn.

#include <QString>
#include <map>

class QDialog;
class QInputDialog;
class QMessageBox;
class Replyable;

namespace driver {

class Learner;

class Answerer {
public:
    explicit Answerer(Learner& learner) : learner_(learner) {}

    // The modal hook: answers whatever dialog a step opens, noting each reply with the
    // learner; a dialog it cannot answer fails the run and is closed.
    void answer(QDialog& d);
    // A new item: every question is new again.
    void forget();

private:
    void answerDialog(QDialog& d, Replyable& r);
    void answerMessage(QMessageBox& box);
    void answerInput(QInputDialog& box);
    // The reply to a text-input box; empty when none of the candidates was accepted.
    QString inputReply(const QString& prompt, bool& wrong);

    // The state of a question's asks lives per question and step.
    struct AskState {
        int attempt = 0; // within the current ask: wrong first, then right, or fallbacks
        int asks = 0;    // asks answered right in this step
        bool lastWrong = false;
    };

    Learner& learner_;
    std::map<QString, AskState> asks_;
    std::map<QString, int> againAsked_;
};

} // namespace driver
