#include "driver/Learner.h"

#include "app/frmStart.h"
#include "cloud/cloudfrm.h"
#include "driver/Answerer.h"
#include "driver/CloudDriver.h"
#include "driver/PeriodicDriver.h"
#include "lesson/Course.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "periodic/Form1.h"
#include "player/Clock.h"
#include "player/Prompts.h"
#include "player/globals.h"

#include <QCoreApplication>
#include <QLabel>
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

// ---- the learner ----

namespace {

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

VirtualClock& virtualClock() {
    auto* v = dynamic_cast<VirtualClock*>(&appClock());
    if (!v) qFatal("the learner plays on the virtual clock: install one first");
    return *v;
}

} // namespace

Learner::Learner(Options options)
    : opt_(std::move(options)), answerer_(std::make_unique<Answerer>(*this)), clock_(virtualClock()) {
    previousHook_ = setModalHook([this](QDialog& d) { answerer_->answer(d); });
    if (opt_.text) setTextRecorder([this](const QString& t, bool continues) { notePrinted(t, continues); });
}

Learner::~Learner() {
    if (opt_.text) setTextRecorder(nullptr);
    setModalHook(std::move(previousHook_));
}

void keepPrinted(QStringList& record, const QString& text, bool continues) {
    const QStringList lines = QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (i == 0 && continues && !record.isEmpty())
            record.last() += lines[i];
        else if (!line.isEmpty() && !record.contains(line))
            record << line; // a label moved along or a text drawn again says nothing new
    }
}

void Learner::notePrinted(const QString& text, bool continues) {
    keepPrinted(printed_, text, continues);
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

void Learner::act(const QString& what, const std::function<void()>& f, bool titleCard) {
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

Step Learner::viewerStep(Shot shot, int number, QWidget* window, qint64 startMs) {
    Step s;
    s.course = course_;
    s.item = item_;
    s.shot = shot;
    s.procedure = procedure_;
    s.section = number;
    s.replies = std::exchange(replies_, {});
    s.text = std::exchange(printed_, {});
    s.startMs = startMs;
    s.endMs = clock_.msNow();
    s.window = window;
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
    answerer_->forget();
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
    std::optional<End> end;
    while (!end)
        end = turn(run, tag);
    run.outcome = end->outcome;
    if (!end->message.isEmpty()) run.message = end->message;
    run.virtualMs = clock_.msNow() - start;
    return run;
}

std::optional<Learner::End> Learner::turn(ItemRun& run, QString& tag) {
    if (failed()) return End{Outcome::Failed, failure_};
    // Matter items 4 and 5, and the end of the whole matter course: the viewer takes over
    // until it closes and the matter window comes back.
    if (viewerOpen()) return viewerTurn(run);
    if (!window_ || window_->isUnloading()) return failedEnd(QStringLiteral("the lesson window closed"));

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
        return End{Outcome::HandedOver, {}};
    }
    if (!window_->isVisible() && !ended) return failedEnd(QStringLiteral("the lesson window is hidden"));

    Step s = lessonStep(procedure_);
    s.ended = ended;
    s.handedOver = handedOver;
    ++run.steps;
    emitStep(s);
    if (ended) return menuEnd();
    if (run.steps >= opt_.maxSteps)
        return failedEnd(QStringLiteral("the item did not end within %1 steps").arg(opt_.maxSteps));
    if (!window_->cmdNext->isEnabled())
        return failedEnd(QStringLiteral("Next stays disabled after the step"));
    next();
    return std::nullopt;
}

std::optional<Learner::End> Learner::viewerTurn(ItemRun& run) {
    if (window_) procedure_ = procedureOf(*window_);
    if (!procedure_.isEmpty() && run.procedures.value(run.procedures.size() - 1) != procedure_)
        run.procedures << procedure_;
    if (!driveViewer(run)) return End{Outcome::Failed, failure_};
    if (!window_ || !window_->isVisible())
        return failedEnd(QStringLiteral("the lesson window did not come back"));
    procedure_ = procedureOf(*window_);
    return End{Outcome::Ended, {}};
}

Learner::End Learner::menuEnd() {
    const lesson::Procedure* p = window_->currentProcedure();
    if (p && (gSection != p->finalSection() || gStep != p->finalStep()))
        return failedEnd(QStringLiteral("the item stopped before its end (section %1 step %2)")
                             .arg(p->finalSection())
                             .arg(p->finalStep()));
    return End{Outcome::Ended, {}};
}

// ---- viewers ----

bool Learner::driveViewer(ItemRun& run) {
    if (auto* v = loadedForm<cloudfrm>()) return CloudDriver(*this, *v).play(run);
    if (auto* t = loadedForm<Form1>()) return PeriodicDriver(*this, *t).play(run);
    return true;
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
