#include "driver/Learner.h"

#include "app/frmStart.h"
#include "cloud/cloudfrm.h"
#include "dialogs/frmInputLight.h"
#include "dialogs/frmInputMaterial.h"
#include "driver/Answers.h"
#include "lesson/Course.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "periodic/Form1.h"
#include "player/Clock.h"
#include "player/Prompts.h"
#include "player/globals.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace driver {

// ---- names ----

const course::Course& registryOf(Course c) {
    return c == Course::Light ? course::light() : course::matter();
}

QString courseCaption(Course c) {
    return QString::fromUtf8(registryOf(c).caption);
}

QString courseTitle(Course c) {
    return QString::fromUtf8(registryOf(c).button);
}

QString menuLabel(Course c, int item) {
    if (item < 1 || item > 5) return QString();
    return QString::fromUtf8(registryOf(c).item(item).label);
}

QString procedureOf(const LessonWindow& w) {
    const lesson::Procedure* p = w.currentProcedure();
    return p ? QString::fromLatin1(p->name) : QString();
}

// ---- keyboard ----

namespace {

int keyFor(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return Qt::Key_0 + (u - u'0');
    if (u >= u'a' && u <= u'z') return Qt::Key_A + (u - u'a');
    if (u >= u'A' && u <= u'Z') return Qt::Key_A + (u - u'A');
    if (u == u'-') return Qt::Key_Minus;
    if (u == u'.') return Qt::Key_Period;
    return u;
}

QString textFor(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Backspace: return QStringLiteral("\b");
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Escape: return QStringLiteral("\x1b");
    default: return QString();
    }
}

void sendKey(QWidget* w, int key, const QString& text) {
    QPointer<QWidget> guard(w);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    if (!guard) return;
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

VirtualClock& virtualClock() {
    auto* v = dynamic_cast<VirtualClock*>(&appClock());
    if (!v) qFatal("the learner plays on the virtual clock: install one first");
    return *v;
}

} // namespace

void typeInto(QWidget* w, const QString& text) {
    QPointer<QWidget> guard(w);
    for (QChar c : text) {
        if (!guard) return;
        sendKey(guard, keyFor(c), QString(c));
    }
}

void pressKey(QWidget* w, int key) {
    sendKey(w, key, textFor(key));
}

// ---- the learner ----

Learner::Learner(Options options) : opt_(std::move(options)), clock_(virtualClock()) {
    previousHook_ = setModalHook([this](QDialog& d) { answer(d); });
    if (opt_.text) setTextRecorder([this](const QString& t, bool continues) { notePrinted(t, continues); });
}

Learner::~Learner() {
    if (opt_.text) setTextRecorder(nullptr);
    setModalHook(std::move(previousHook_));
}

void Learner::notePrinted(const QString& text, bool continues) {
    // A piece printed right after the previous one continues its line; a text of several
    // lines gives one entry per line.
    const QStringList lines = QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (i == 0 && continues && !printed_.isEmpty())
            printed_.last() += lines[i];
        else if (!line.isEmpty() && !printed_.contains(line))
            printed_ << line; // a label moved along or a text drawn again says nothing new
    }
}

QString Learner::where() const {
    QString s = QStringLiteral("%1 item %2").arg(courseCaption(course_)).arg(item_);
    if (!procedure_.isEmpty()) s += QStringLiteral(" (%1)").arg(procedure_);
    if (procedure_ == QLatin1String("cloudfrm") || procedure_ == QLatin1String("Form1")) return s;
    return s + QStringLiteral(" section %1 step %2").arg(gSection).arg(gStep);
}

void Learner::fail(const QString& why) {
    if (failure_.isEmpty()) failure_ = where() + QStringLiteral(": ") + why;
}

void Learner::abortRunning() {
    // Closing the window cancels its session: the running step unwinds at its next wait
    // and every dialog it has open is rejected.
    if (auto* v = loadedForm<cloudfrm>()) v->Unload();
    if (auto* t = loadedForm<Form1>()) t->Unload();
    if (window_) window_->Unload();
}

template <class F> void Learner::act(const QString& what, F&& f, bool titleCard) {
    if (onAction) onAction(where() + QStringLiteral(": ") + what);
    actionStart_ = clock_.msNow();
    const int watchdog = clock_.at(actionStart_ + opt_.maxStepMs, [this, what] {
        fail(QStringLiteral("%1 did not end within %2 s of virtual time")
                 .arg(what)
                 .arg(opt_.maxStepMs / 1000));
        abortRunning();
    });
    // The title card waits 1.5 s before the first step: its picture is taken halfway.
    const int title =
        titleCard && opt_.pictures ? clock_.at(actionStart_ + 750, [this] { takeTitleShot(); }) : 0;
    int close = 0;
    if (closeAfterMs_ >= 0) {
        close = clock_.at(actionStart_ + closeAfterMs_, [this] {
            if (window_) window_->close();
        });
        closeAfterMs_ = -1;
    }
    f();
    clock_.cancelAt(watchdog);
    if (title) clock_.cancelAt(title);
    if (close) clock_.cancelAt(close);
    flushDeletes();
}

QString Learner::currentProcedure() const {
    // The window knows which procedure is drawing: a chain may have moved on to the next
    // item before the learner noticed the hand-over.
    if (window_ && window_->currentProcedure()) return procedureOf(*window_);
    return procedure_;
}

void Learner::takeTitleShot() {
    if (!window_ || !window_->lblItemName || !window_->lblItemName->isVisible()) return;
    // The replies so far belong to the step that is running, not to its title card.
    Step s = lessonStep(procedureOf(*window_), false);
    s.shot = Shot::Title;
    if (opt_.text) s.text = QStringList{window_->lblItemName->text()};
    emitStep(s);
}

Step Learner::lessonStep(const QString& procedure, bool withReplies) {
    Step s;
    s.course = course_;
    s.item = item_;
    s.procedure = procedure;
    s.section = gSection;
    s.step = gStep;
    if (withReplies) {
        s.replies = std::exchange(replies_, {});
        s.text = std::exchange(printed_, {});
    }
    s.startMs = actionStart_;
    s.endMs = clock_.msNow();
    s.window = window_;
    if (opt_.pictures && window_) s.picture = window_->grab().toImage();
    return s;
}

void Learner::emitStep(const Step& s) {
    if (onStep) onStep(s);
}

frmStart& Learner::openStart() {
    frmStart& start = form<frmStart>();
    if (!start.isVisible()) start.Show();
    return start;
}

LessonWindow& Learner::openCourse(Course c) {
    // Every visit loads the lesson window afresh, so nothing of an earlier item remains.
    for (Form* f : Form::all())
        if (dynamic_cast<cloudfrm*>(f) || dynamic_cast<Form1*>(f)) f->Unload();
    for (Form* f : Form::all())
        if (dynamic_cast<LessonWindow*>(f)) f->Unload();
    flushDeletes();
    course_ = c;
    item_ = 0;
    procedure_.clear();
    frmStart& start = openStart();
    act(QStringLiteral("open the course"), [&] { start.cmdItem[c == Course::Light ? 1 : 2]->click(); });
    LessonWindow* w = c == Course::Light ? static_cast<LessonWindow*>(loadedForm<frmLight>())
                                         : static_cast<LessonWindow*>(loadedForm<frmMaterial>());
    if (!w) qFatal("the %s course did not open", c == Course::Light ? "light" : "matter");
    window_ = w;
    return *w;
}

void Learner::chooseItem(int item) {
    item_ = item;
    procedure_.clear();
    asks_.clear();
    againAsked_.clear();
    if (!window_) return;
    act(
        QStringLiteral("menu item %1").arg(item), [&] { window_->cmdMenu[item]->click(); }, true);
    if (window_) procedure_ = procedureOf(*window_);
}

void Learner::next() {
    if (window_) act(QStringLiteral("Next"), [&] { window_->cmdNext->click(); });
}

void Learner::back() {
    if (window_) act(QStringLiteral("Back"), [&] { window_->cmdReturn->click(); });
}

void Learner::backOne() {
    if (window_) act(QStringLiteral("Back one"), [&] { window_->cmdReturn1->click(); });
}

void Learner::exitButton() {
    if (window_) act(QStringLiteral("exit button"), [&] { window_->cmdExit->click(); });
}

void Learner::closeBox() {
    if (window_) act(QStringLiteral("close box"), [&] { window_->close(); });
}

bool Learner::viewerOpen() const {
    return loadedForm<cloudfrm>() || loadedForm<Form1>();
}

bool Learner::menuShown() const {
    return window_ && window_->isVisible() && window_->picMenu->isVisible() &&
           window_->cmdExit->text() == LessonWindow::kMainMenu;
}

ItemRun Learner::playItem(Course c, int item) {
    ItemRun run;
    failure_.clear();
    replies_.clear();
    printed_.clear();
    openCourse(c);
    const qint64 start = clock_.msNow();
    chooseItem(item);

    QString tag = window_ ? window_->Tag : QString();
    if (!procedure_.isEmpty()) run.procedures << procedure_;
    auto finish = [&](Outcome o, const QString& message = QString()) {
        run.outcome = o;
        if (!message.isEmpty()) run.message = message;
        run.virtualMs = clock_.msNow() - start;
        return run;
    };

    for (;;) {
        if (failed()) return finish(Outcome::Failed, failure_);
        if (viewerOpen()) {
            // Matter items 4 and 5, and the end of the whole matter course: the viewer
            // takes over until it closes and the matter window comes back.
            if (window_) procedure_ = procedureOf(*window_);
            if (!procedure_.isEmpty() && run.procedures.value(run.procedures.size() - 1) != procedure_)
                run.procedures << procedure_;
            if (!driveViewer(run)) return finish(Outcome::Failed, failure_);
            if (!window_ || !window_->isVisible())
                return finish(Outcome::Failed,
                              where() + QStringLiteral(": the lesson window did not come back"));
            procedure_ = procedureOf(*window_);
            return finish(Outcome::Ended);
        }
        if (!window_ || window_->isUnloading())
            return finish(Outcome::Failed, where() + QStringLiteral(": the lesson window closed"));

        const bool handedOver = window_->Tag != tag;
        if (handedOver) {
            tag = window_->Tag;
            procedure_ = procedureOf(*window_);
            run.procedures << procedure_;
        }
        const bool ended = menuShown();
        if (handedOver && opt_.stopAtHandOver) {
            // The step belongs to the next item; the learner stops before it.
            replies_.clear();
            printed_.clear();
            return finish(Outcome::HandedOver);
        }
        if (!window_->isVisible() && !ended)
            return finish(Outcome::Failed, where() + QStringLiteral(": the lesson window is hidden"));

        Step s = lessonStep(procedure_);
        s.ended = ended;
        s.handedOver = handedOver;
        ++run.steps;
        emitStep(s);
        if (ended) {
            // The menu is back: that must be where the registry says the item ends.
            const lesson::Procedure* p = window_->currentProcedure();
            if (p && (gSection != p->finalSection() || gStep != p->finalStep()))
                return finish(Outcome::Failed,
                              where() +
                                  QStringLiteral(": the item stopped before its end (section %1 step %2)")
                                      .arg(p->finalSection())
                                      .arg(p->finalStep()));
            return finish(Outcome::Ended);
        }
        if (run.steps >= opt_.maxSteps)
            return finish(Outcome::Failed,
                          where() +
                              QStringLiteral(": the item did not end within %1 steps").arg(opt_.maxSteps));
        if (!window_->cmdNext->isEnabled())
            return finish(Outcome::Failed, where() + QStringLiteral(": Next stays disabled after the step"));
        next();
    }
}

// ---- viewers ----

bool Learner::driveViewer(ItemRun& run) {
    if (auto* v = loadedForm<cloudfrm>()) return driveCloud(*v, run);
    if (auto* t = loadedForm<Form1>()) return driveTable(*t, run);
    return true;
}

bool Learner::driveCloud(cloudfrm& viewer, ItemRun& run) {
    procedure_ = QStringLiteral("cloudfrm");
    run.procedures << procedure_;
    QPointer<cloudfrm> v = &viewer;
    int stage = viewer.ECloudpara;
    int counts = 0;
    QImage last;
    qint64 stageStart = actionStart_;
    // A stage's picture is its last look before the next stage begins: with the prompt it
    // ends on and, at a count prompt, the count typed.
    auto report = [&](int number) {
        Step s;
        s.course = course_;
        s.item = item_;
        s.shot = Shot::Stage;
        s.procedure = procedure_;
        s.section = number;
        s.replies = std::exchange(replies_, {});
        s.text = std::exchange(printed_, {});
        s.startMs = stageStart;
        s.endMs = clock_.msNow();
        s.window = v;
        s.picture = last;
        ++run.steps;
        emitStep(s);
        stageStart = clock_.msNow();
    };
    // The title page the viewer opens with gives way to the count prompt before the
    // learner can act: it has a picture of its own.
    if (opt_.pictures) {
        last = v->grab().toImage();
        Step title;
        title.course = course_;
        title.item = item_;
        title.shot = Shot::Title;
        title.procedure = procedure_;
        title.section = stage;
        title.startMs = title.endMs = clock_.msNow();
        title.window = v;
        title.picture = last;
        emitStep(title);
    }
    for (int actions = 0; v; ++actions) {
        if (failed()) return false;
        if (actions >= opt_.viewerActionLimit) {
            fail(QStringLiteral("the viewer did not close after %1 actions").arg(actions));
            return false;
        }
        if (opt_.pictures) last = v->grab().toImage();
        if (clock_.hasPending()) {
            // The viewer paces itself: the learner answers only once it waits.
            const qint64 due = clock_.nextDue();
            act(QStringLiteral("stage %1, wait").arg(v->ECloudpara), [&] { clock_.advanceTo(due); });
        } else if (v->InputText->isVisible() && v->InputText->isEnabled()) {
            const QString count = opt_.cloudCounts[std::min(counts++, 1)];
            act(QStringLiteral("stage %1, dot count").arg(v->ECloudpara), [&] {
                QLineEdit* box = v->InputText;
                while (!box->text().isEmpty())
                    pressKey(box, Qt::Key_Backspace);
                typeInto(box, count);
                if (opt_.pictures) last = v->grab().toImage();
                replies_.append({v->InputLabel->text(), count, false});
                pressKey(box, Qt::Key_Return);
            });
        } else if (v->Label5->isVisible()) {
            act(QStringLiteral("stage %1, Return").arg(v->ECloudpara),
                [&] { pressKey(v->Picture1, Qt::Key_Return); });
        } else {
            fail(QStringLiteral("stage %1 waits, but asks for nothing").arg(v->ECloudpara));
            return false;
        }
        const int now = v ? int(v->ECloudpara) : -2;
        if (now != stage) {
            report(stage);
            stage = now;
        }
    }
    return !failed();
}

bool Learner::driveTable(Form1& table, ItemRun& run) {
    procedure_ = QStringLiteral("Form1");
    run.procedures << procedure_;
    QPointer<Form1> t = &table;
    auto report = [&](int clicks) {
        Step s;
        s.course = course_;
        s.item = item_;
        s.shot = Shot::Click;
        s.procedure = procedure_;
        s.section = clicks;
        s.startMs = actionStart_;
        s.endMs = clock_.msNow();
        s.window = t;
        s.text = std::exchange(printed_, {});
        if (opt_.pictures) s.picture = t->grab().toImage();
        ++run.steps;
        emitStep(s);
    };
    report(0);
    for (int clicks = 1; t; ++clicks) {
        if (failed()) return false;
        if (clicks > opt_.viewerActionLimit || !t->cmdNext || !t->cmdNext->isEnabled()) {
            fail(QStringLiteral("the table cannot go on after %1 clicks").arg(clicks - 1));
            return false;
        }
        act(QStringLiteral("次へ %1").arg(clicks), [&] { t->cmdNext->click(); });
        if (t) report(clicks);
    }
    return !failed();
}

// ---- answering dialogs ----

Learner::AskState& Learner::askState(const QString& key) {
    return asks_[key];
}

void Learner::answer(QDialog& d) {
    if (auto* l = dynamic_cast<frmInputLight*>(&d))
        answerDialog(d, QStringLiteral("frmInputLight"),
                     gQuestion == 4 && l->picInput && l->picInput->isVisible());
    else if (dynamic_cast<frmInputMaterial*>(&d))
        answerDialog(d, QStringLiteral("frmInputMaterial"), false);
    else if (auto* m = qobject_cast<QMessageBox*>(&d))
        answerMessage(*m);
    else if (auto* i = qobject_cast<QInputDialog*>(&d))
        answerInput(*i);
    else {
        fail(QStringLiteral("a dialog the learner does not know: %1")
                 .arg(QString::fromLatin1(d.metaObject()->className())));
        d.reject();
    }
}

void Learner::answerDialog(QDialog& d, const QString& dialogClass, bool twoFields) {
    QPointer<QDialog> dialog = &d;
    QLineEdit* boxes[2] = {};
    QPushButton* ok = nullptr;
    if (auto* l = dynamic_cast<frmInputLight*>(&d)) {
        boxes[0] = twoFields ? l->txtInput1 : l->txtInput;
        boxes[1] = twoFields ? l->txtInput2 : nullptr;
        ok = l->OKbutton;
    } else if (auto* m = dynamic_cast<frmInputMaterial*>(&d)) {
        boxes[0] = m->txtInput;
        ok = m->OKbutton;
    }
    const AskedAt at{dialogClass, gQuestion, QString(), currentProcedure(), gSection, gStep};
    const QString key = QStringLiteral("%1/%2/%3/%4/%5")
                            .arg(dialogClass)
                            .arg(at.question)
                            .arg(at.procedure)
                            .arg(at.section)
                            .arg(at.step);
    const std::optional<KnownAnswer> known = knownAnswer(at);
    AskState& st = askState(key);
    const QString asked = QStringLiteral("Q%1").arg(at.question);

    // Within one opening the learner keeps trying while the dialog refuses what was typed
    // (a filtered key, or the range check of the two-number question).
    for (int tries = 0; dialog && dialog->isVisible(); ++tries) {
        if (tries > kFallbackAnswers + 2) {
            fail(QStringLiteral("%1 of %2 accepts none of the answers tried").arg(asked, dialogClass));
            abortRunning();
            return;
        }
        QStringList fields;
        bool wrong = false;
        if (known) {
            if (opt_.wrongFirst && !known->wrong.isEmpty() && st.attempt == 0) {
                fields = known->wrong;
                wrong = true;
            } else {
                fields = known->right.at(st.asks % known->right.size());
            }
        } else {
            if (st.attempt >= kFallbackAnswers) {
                fail(QStringLiteral("%1 of %2: none of the answers 1 to %3 was accepted")
                         .arg(asked, dialogClass)
                         .arg(kFallbackAnswers));
                abortRunning();
                return;
            }
            fields = {fallbackAnswer(st.attempt)};
            // A question the lesson asks again was answered wrong last time.
            if (st.lastWrong && !replies_.isEmpty()) replies_.last().wrong = true;
        }
        for (int f = 0; f < 2 && boxes[f]; ++f) {
            while (!boxes[f]->text().isEmpty())
                pressKey(boxes[f], Qt::Key_Backspace);
            typeInto(boxes[f], fields.value(f));
        }
        replies_.append({asked, fields.join(QStringLiteral(", ")), wrong});
        // What happens next decides how the next try goes: a wrong answer is followed by
        // the right one; a right one ends this ask (a new ask of the question starts over).
        if (known) {
            if (wrong && known->retried) {
                st.attempt = 1;
            } else {
                st.attempt = 0;
                if (!wrong) ++st.asks;
            }
        } else {
            ++st.attempt;
            st.lastWrong = true;
        }
        if (ok && ok->isEnabled()) ok->click();
    }
}

void Learner::answerMessage(QMessageBox& box) {
    const QString text = box.text();
    int& asked = againAsked_[text];
    const QString choice = messageBoxChoice(text, opt_.wrongFirst && asked == 0);
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
    replies_.append({text.section(QLatin1Char('\n'), 0, 0), pressed, false});
    if (button)
        button->click();
    else
        box.reject();
}

void Learner::answerInput(QInputDialog& box) {
    QPointer<QInputDialog> dialog = &box;
    const QString prompt = box.labelText();
    QString reply;
    bool wrong = false;
    int& asked = againAsked_[prompt];
    if (const auto again = againReply(prompt, opt_.wrongFirst && asked == 0)) {
        reply = *again;
    } else {
        const AskedAt at{QStringLiteral("QInputDialog"), 0, prompt, currentProcedure(), gSection, gStep};
        const QString key =
            QStringLiteral("input/%1/%2/%3/%4").arg(prompt, currentProcedure()).arg(gSection).arg(gStep);
        AskState& st = askState(key);
        if (const auto known = knownAnswer(at)) {
            wrong = opt_.wrongFirst && st.attempt == 0 && !known->wrong.isEmpty();
            reply = wrong ? known->wrong.value(0) : known->right.value(0).value(0);
            st.attempt = wrong ? 1 : 0;
        } else {
            if (st.attempt >= kFallbackAnswers) {
                fail(QStringLiteral("the box \"%1\": none of the answers 1 to %2 was accepted")
                         .arg(prompt)
                         .arg(kFallbackAnswers));
                abortRunning();
                return;
            }
            if (st.attempt > 0 && !replies_.isEmpty()) replies_.last().wrong = true;
            reply = fallbackAnswer(st.attempt++);
        }
    }
    ++asked;
    if (auto* edit = box.findChild<QLineEdit*>()) {
        while (!edit->text().isEmpty())
            pressKey(edit, Qt::Key_Backspace);
        typeInto(edit, reply);
    } else {
        box.setTextValue(reply);
    }
    replies_.append({prompt.section(QLatin1Char('\n'), 0, 0), reply, wrong});
    if (!dialog) return;
    auto* buttons = box.findChild<QDialogButtonBox*>();
    QAbstractButton* ok = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr;
    if (ok)
        ok->click();
    else
        box.accept();
}

// ---- windows ----

void Learner::closeAll() {
    // Viewers first (closing one shows the matter window), then the lesson windows
    // (closing one shows the start window), then the rest.
    auto closeWhere = [](auto pred) {
        for (Form* f : Form::all())
            if (pred(f) && !f->isUnloading()) f->Unload();
        flushDeletes();
    };
    closeWhere([](Form* f) { return dynamic_cast<cloudfrm*>(f) || dynamic_cast<Form1*>(f); });
    closeWhere([](Form* f) { return dynamic_cast<LessonWindow*>(f) != nullptr; });
    closeWhere([](Form* f) { return dynamic_cast<frmStart*>(f) == nullptr; });
    closeWhere([](Form*) { return true; });
}

} // namespace driver
