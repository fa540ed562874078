#include "tests/support/Replies.h"

#include "dialogs/Replyable.h"
#include "lesson/Course.h"
#include "lesson/LessonWindow.h"
#include "player/Prompts.h"
#include "player/globals.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QMessageBox>

namespace lessontest {

namespace {

const lesson::QuizRow* rowFor(const LessonWindow& w, int question) {
    const lesson::Procedure* p = w.currentProcedure();
    return p ? course::findQuiz(QString::fromLatin1(p->name), gSection, gStep, question) : nullptr;
}

QString stepKey(int question) {
    return QStringLiteral("%1/%2/%3").arg(question).arg(gSection).arg(gStep);
}

} // namespace

QStringList rightReply(const LessonWindow& w, int question, int ask) {
    const lesson::QuizRow* q = rowFor(w, question);
    if (!q) return {};
    const QStringList asks = QString::fromUtf8(q->right).split(QLatin1Char('|'));
    return asks.at(ask % asks.size()).split(QLatin1Char(','));
}

QStringList wrongReply(const LessonWindow& w, int question) {
    const lesson::QuizRow* q = rowFor(w, question);
    if (!q || !q->wrong || !*q->wrong || q->judged == lesson::Judged::NotJudged) return {};
    return QString::fromUtf8(q->wrong).split(QLatin1Char(','));
}

Replies::Replies(Way w) : way(w) {
    install();
}

void Replies::install() {
    setModalHook([this](QDialog& d) { answer(d); });
}

Replies::~Replies() {
    setModalHook(nullptr);
}

void Replies::reset() {
    given.clear();
    yes.clear();
    boxReplies.clear();
    questions.clear();
    prompts.clear();
    messages.clear();
    boxPrompts.clear();
    asks_.clear();
}

QStringList Replies::replyFor(const LessonWindow* w, int question) {
    if (!given.isEmpty()) return given.takeFirst().split(QLatin1Char(','));
    if (!w) return {fallback};
    // Wrong first: the step's first answer to the question is its wrong one, then the
    // right ones in turn.
    const QStringList wrong = way == Way::WrongFirst ? wrongReply(*w, question) : QStringList();
    const int ask = asks_[stepKey(question)]++;
    if (!wrong.isEmpty() && ask == 0) return wrong;
    const QStringList right = rightReply(*w, question, wrong.isEmpty() ? ask : ask - 1);
    return right.isEmpty() ? QStringList{fallback} : right;
}

void Replies::answer(QDialog& d) {
    if (whileOpen) whileOpen(d);
    if (auto* r = dynamic_cast<Replyable*>(&d)) {
        answerDialog(d, *r);
    } else if (auto* box = qobject_cast<QMessageBox*>(&d)) {
        messages << box->text();
        QAbstractButton* b =
            box->button(yes.value(int(messages.size()) - 1, false) ? QMessageBox::Yes : QMessageBox::No);
        if (!b) b = box->button(QMessageBox::Ok);
        if (b)
            b->click();
        else
            box->reject();
    } else if (auto* input = qobject_cast<QInputDialog*>(&d)) {
        boxPrompts << input->labelText();
        const QString reply = boxReplies.value(int(boxPrompts.size()) - 1, QStringLiteral("-1"));
        if (reply.isNull()) {
            input->reject();
            return;
        }
        input->setTextValue(reply);
        input->accept();
    } else {
        d.reject();
    }
}

void Replies::answerDialog(QDialog& d, Replyable& r) {
    questions << r.question();
    prompts << r.asked();
    if (instead && instead(r)) return;
    const QStringList fields = replyFor(dynamic_cast<const LessonWindow*>(d.parentWidget()), r.question());
    if (paste)
        r.pasteReply(fields);
    else
        r.typeReply(fields);
    if (enterKey && d.focusWidget())
        keyboard::press(d.focusWidget(), Qt::Key_Return);
    else if (!r.pressOK())
        d.accept(); // whatever goes wrong, the dialog closes, so a test cannot hang
}

} // namespace lessontest
