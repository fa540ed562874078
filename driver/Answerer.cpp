#include "driver/Answerer.h"

#include "dialogs/Replyable.h"
#include "driver/Answers.h"
#include "driver/Learner.h"
#include "player/globals.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

namespace driver {

void Answerer::forget() {
    asks_.clear();
    againAsked_.clear();
}

void Answerer::answer(QDialog& d) {
    if (auto* r = dynamic_cast<Replyable*>(&d))
        answerDialog(d, *r);
    else if (auto* m = qobject_cast<QMessageBox*>(&d))
        answerMessage(*m);
    else if (auto* i = qobject_cast<QInputDialog*>(&d))
        answerInput(*i);
    else {
        learner_.fail(QStringLiteral("a dialog the learner does not know: %1")
                          .arg(QString::fromLatin1(d.metaObject()->className())));
        d.reject();
    }
}

void Answerer::answerDialog(QDialog& d, Replyable& r) {
    QPointer<QDialog> dialog = &d;
    const QString dialogClass = QString::fromLatin1(d.metaObject()->className());
    const AskedAt at{dialogClass, r.question(), QString(), learner_.currentProcedure(), gSection, gStep};
    const QString key = QStringLiteral("%1/%2/%3/%4/%5")
                            .arg(dialogClass)
                            .arg(at.question)
                            .arg(at.procedure)
                            .arg(at.section)
                            .arg(at.step);
    const std::optional<KnownAnswer> known = knownAnswer(at);
    AskState& st = asks_[key];
    const QString asked = QStringLiteral("Q%1").arg(at.question);
    const bool wrongFirst = learner_.opt_.wrongFirst;
    QList<Reply>& replies = learner_.replies_;

    // Within one opening the learner keeps trying while the dialog refuses what was typed
    // (a filtered key, or the range check of the two-number question).
    for (int tries = 0; dialog && dialog->isVisible(); ++tries) {
        if (tries > kFallbackAnswers + 2 || (!known && st.attempt >= kFallbackAnswers)) {
            learner_.fail(
                tries > kFallbackAnswers + 2
                    ? QStringLiteral("%1 of %2 accepts none of the answers tried").arg(asked, dialogClass)
                    : QStringLiteral("%1 of %2: none of the answers 1 to %3 was accepted")
                          .arg(asked, dialogClass)
                          .arg(kFallbackAnswers));
            learner_.abortRunning();
            return;
        }
        const bool wrong = known && wrongFirst && !known->wrong.isEmpty() && st.attempt == 0;
        const QStringList fields = !known  ? QStringList{fallbackAnswer(st.attempt)}
                                   : wrong ? known->wrong
                                           : known->right.at(st.asks % known->right.size());
        // A question the lesson asks again was answered wrong last time.
        if (!known && st.lastWrong && !replies.isEmpty()) replies.last().wrong = true;
        r.typeReply(fields);
        replies.append({asked, fields.join(QStringLiteral(", ")), wrong});
        // What happens next decides how the next try goes: a wrong answer is followed by
        // the right one; a right one ends this ask (a new ask of the question starts over).
        if (!known) {
            ++st.attempt;
            st.lastWrong = true;
        } else if (wrong && known->retried) {
            st.attempt = 1;
        } else {
            st.attempt = 0;
            if (!wrong) ++st.asks;
        }
        r.pressOK();
    }
}

void Answerer::answerMessage(QMessageBox& box) {
    const QString text = box.text();
    int& asked = againAsked_[text];
    const QString choice = messageBoxChoice(text, learner_.opt_.wrongFirst && asked == 0);
    ++asked;
    QAbstractButton* button = nullptr;
    if (choice == QLatin1String("Yes")) button = box.button(QMessageBox::Yes);
    if (choice == QLatin1String("No")) button = box.button(QMessageBox::No);
    if (choice == QLatin1String("OK")) button = box.button(QMessageBox::Ok);
    if (choice == QLatin1String("Cancel")) button = box.button(QMessageBox::Cancel);
    if (!button) button = box.defaultButton();
    if (!button) button = box.button(QMessageBox::Ok);
    if (!button && !box.buttons().isEmpty()) button = box.buttons().first();
    const QString pressed = button ? button->text().remove(QLatin1Char('&')) : QStringLiteral("(none)");
    learner_.replies_.append({text.section(QLatin1Char('\n'), 0, 0), pressed, false});
    if (button)
        button->click();
    else
        box.reject();
}

QString Answerer::inputReply(const QString& prompt, bool& wrong) {
    int& asked = againAsked_[prompt];
    const bool again = learner_.opt_.wrongFirst && asked == 0;
    ++asked;
    if (const auto reply = againReply(prompt, again)) return *reply;
    const QString procedure = learner_.currentProcedure();
    const AskedAt at{QStringLiteral("QInputDialog"), 0, prompt, procedure, gSection, gStep};
    AskState& st = asks_[QStringLiteral("input/%1/%2/%3/%4").arg(prompt, procedure).arg(gSection).arg(gStep)];
    if (const auto known = knownAnswer(at)) {
        wrong = learner_.opt_.wrongFirst && st.attempt == 0 && !known->wrong.isEmpty();
        st.attempt = wrong ? 1 : 0;
        return wrong ? known->wrong.value(0) : known->right.value(0).value(0);
    }
    if (st.attempt >= kFallbackAnswers) return QString();
    QList<Reply>& replies = learner_.replies_;
    if (st.attempt > 0 && !replies.isEmpty()) replies.last().wrong = true;
    return fallbackAnswer(st.attempt++);
}

void Answerer::answerInput(QInputDialog& box) {
    QPointer<QInputDialog> dialog = &box;
    const QString prompt = box.labelText();
    bool wrong = false;
    const QString reply = inputReply(prompt, wrong);
    if (reply.isEmpty()) {
        learner_.fail(QStringLiteral("the box \"%1\": none of the answers 1 to %2 was accepted")
                          .arg(prompt)
                          .arg(kFallbackAnswers));
        learner_.abortRunning();
        return;
    }
    if (auto* edit = box.findChild<QLineEdit*>()) {
        while (!edit->text().isEmpty())
            keyboard::press(edit, Qt::Key_Backspace);
        keyboard::type(edit, reply);
    } else {
        box.setTextValue(reply);
    }
    learner_.replies_.append({prompt.section(QLatin1Char('\n'), 0, 0), reply, wrong});
    if (!dialog) return;
    auto* buttons = box.findChild<QDialogButtonBox*>();
    QAbstractButton* ok = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr;
    if (ok)
        ok->click();
    else
        box.accept();
}

} // namespace driver
