#pragma once
// Scripted replies to the dialogs a step opens, given through the real dialogs: answer
// dialogs through Replyable (typed key by key, or pasted), message boxes by their buttons,
// text-input boxes by their text. Right answers come from the course registry's quiz rows,
// never from a test's own copy.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>

class LessonWindow;
class QDialog;
class Replyable;

namespace lessontest {

// The right reply of the registry's quiz row to question q asked now (the window's
// procedure, gSection, gStep), its fields split at ','; ask: the how-manieth right answer
// in this step (a question asked again after a right answer takes the next one). Empty
// when the registry has no row.
QStringList rightReply(const LessonWindow& w, int question, int ask = 0);
// The row's wrong reply; empty when it has none.
QStringList wrongReply(const LessonWindow& w, int question);

class Replies {
public:
    enum class Way {
        Right,      // the registry's right answer
        WrongFirst, // the registry's wrong answer first where it has one, then the right one
    };
    // Installs the modal hook (after harness::setUp, which forgets any hook); the
    // destructor removes it.
    explicit Replies(Way way = Way::Right);
    ~Replies();
    // Installs the hook again, after a harness::setUp.
    void install();
    // Forgets the script and what was asked: a fresh learner.
    void reset();
    Replies(const Replies&) = delete;
    Replies& operator=(const Replies&) = delete;

    Way way;
    // Replies to the answer dialogs, taken one a dialog, before the registry's answers
    // take over; the fields of a two-number reply are joined by ','.
    QStringList given;
    // The reply used once the given ones are spent and the registry knows no answer.
    QString fallback = QStringLiteral("1");
    bool paste = false; // the replies go into the boxes as a paste, past the key filter
    // Confirm with Enter on the focused control (typing moves the focus to OK) rather than
    // a click of OK.
    bool enterKey = false;
    // Called with every answer dialog before it is answered; true: it was dealt with (the
    // window closed meanwhile, say) and it gets no reply.
    std::function<bool(Replyable&)> instead;
    // Called as every dialog opens, before anything else (to look at the window then).
    std::function<void(QDialog&)> whileOpen;
    // The buttons pressed at message boxes, in order: true "Yes", false "No" ("OK" where
    // the box has neither); after the list, "No".
    QList<bool> yes;
    // The replies to text-input boxes, in order; a null string cancels the box. After the
    // list: "-1".
    QStringList boxReplies;

    // What the dialogs asked, in order.
    QList<int> questions;   // the question number of every answer dialog
    QStringList prompts;    // its question text
    QStringList messages;   // the text of every message box
    QStringList boxPrompts; // the prompt of every text-input box

    // The reply the next answer dialog of question q gets from the script.
    QStringList replyFor(const LessonWindow* w, int question);

private:
    void answer(QDialog& d);
    void answerDialog(QDialog& d, Replyable& r);
    std::map<QString, int> asks_; // answers given per question and step: wrong, right, ...
};

} // namespace lessontest
