// The web edition's run: every item played once answering right, with its frames sampled
// for the videos, and once more answering wrong first where a step judges an answer, for
// the feedback a wrong answer gets.

#include "cloud/cloudfrm.h"
#include "dialogs/frmInputLight.h"
#include "dialogs/frmInputMaterial.h"
#include "lesson/Course.h"
#include "periodic/Form1.h"
#include "player/Canvas.h"
#include "player/Clock.h"
#include "player/Form.h"
#include "player/Prompts.h"
#include "player/Random.h"
#include "player/Reply.h"
#include "player/Sound.h"
#include "player/globals.h"
#include "tools/tour/Web.h"
#include "tools/tour/WebFilm.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QMap>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <csignal>
#include <cstdio>
#include <memory>

namespace tour {

namespace {

// Hears every cue the lessons play instead of playing it: a feedback cue follows the
// feedback a step draws for an answer.
class CueWatch : public SoundBackend {
public:
    std::function<void()> onCue;
    void play(const QString&, const QByteArray&) override {
        if (onCue) onCue();
    }
    void stop() override {}
};

QWidget* shownViewer() {
    for (Form* f : Form::all())
        if (f->isVisible() && (dynamic_cast<cloudfrm*>(f) || dynamic_cast<Form1*>(f))) return f;
    return nullptr;
}

// The window the learner looks at: a viewer when one is open, else the lesson window.
QWidget* shownWindow(const driver::Learner& learner) {
    if (QWidget* v = shownViewer()) return v;
    QWidget* w = learner.window();
    return w && w->isVisible() ? w : nullptr;
}

WebAsk::Kind kindOf(const lesson::QuizRow* row) {
    if (!row) return WebAsk::Kind::Free;
    switch (row->judged) {
    case lesson::Judged::UntilRight: return WebAsk::Kind::UntilRight;
    case lesson::Judged::Once: return WebAsk::Kind::Once;
    case lesson::Judged::NotJudged: return WebAsk::Kind::Free;
    }
    return WebAsk::Kind::Free;
}

QString askPrefix(const QString& procedure, int section, int step) {
    return QStringLiteral("%1/%2-%3/").arg(procedure).arg(section).arg(step, 2, 10, QLatin1Char('0'));
}

bool asksAgain(const QString& text) {
    return text.startsWith(QStringLiteral("もう一度やってみますか"));
}

// The part a naming quiz asks in its prompt ("3の名前は何ですか？..."); 0 for none.
int quizPart(const QString& prompt) {
    static const QRegularExpression part(QStringLiteral("^(\\d+)の名前は何ですか"));
    const auto m = part.match(prompt);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// Asked in the plain input box or a message box: attached to the step the action ends on.
bool boxKind(WebAsk::Kind k) {
    return k == WebAsk::Kind::Input || k == WebAsk::Kind::Again;
}

class WebRun {
public:
    WebRun(const Options& o, const QString& root) : o_(o), root_(root), album_(root), film_(root) {}
    bool play(const Item& item, WebItem& out, QString* error);
    bool playWrong(const Item& item, QString* error);
    // Presses Back one on every step that follows a step drawn over the one before, for
    // what the lesson window shows then; the way back is kept with the step left.
    bool playBack(const Item& item, WebItem& out, QString* error);
    bool judges(const WebItem& item) const;
    // The feedback pictures of the wrong answers, once the item has been played wrong.
    void fillWrong(WebItem& item) const;
    int pictures() const { return album_.count(); }
    const Film& film() const { return film_; }

private:
    VirtualClock& freshClock();
    void watchAsks(driver::Learner& learner, bool wrongRun);
    void unwatchAsks();
    void onDialog(QDialog& d, const driver::Learner& learner, bool wrongRun);
    void onBox(QDialog& d, const driver::Learner& learner, bool wrongRun);
    void onWrongStep(const driver::Step& s);
    void onCue(const driver::Learner& learner, bool wrongRun);
    void notePrinted(const QString& text, bool continues);
    void keep(const driver::Step& s, WebItem& out);
    void attachAsks(const driver::Step& s, WebStep& step);
    QString folder() const { return scaleName(o_.scales.first()); }
    QString save(const QImage& img, const QString& procedure, const QString& name) {
        return album_.save(img, folder() + QLatin1Char('/') + procedure, name);
    }

    const Options& o_;
    QString root_;
    Album album_;
    Film film_;
    QMap<QString, WebAsk> asks_; // by procedure/section-step/question
    QString pending_;            // the ask whose feedback comes with the next cue
    QStringList actionAsks_;     // boxes opened since the last step was reported
    QString lastBox_;            // the box asked last (a part asked again was answered wrong)
    QString againWatch_;         // the "once more?" just answered yes (answering wrong)
    QStringList againPrompts_;   // what was asked after that yes
    QStringList printed_;        // the step's text so far, kept as the learner keeps it
    TextRecorder learnerText_;
    QString error_;
    std::shared_ptr<ModalHook> learnerHook_;
};

VirtualClock& WebRun::freshClock() {
    // Each item starts on a fresh clock with the same seed, as in the tour of pictures.
    setClock(std::make_unique<VirtualClock>());
    SeedRandom(o_.seed);
    return static_cast<VirtualClock&>(appClock());
}

void WebRun::watchAsks(driver::Learner& learner, bool wrongRun) {
    // The tour looks at every dialog before the learner answers it.
    learnerHook_ = std::make_shared<ModalHook>(setModalHook(nullptr));
    setModalHook([this, &learner, wrongRun, hook = learnerHook_](QDialog& d) {
        onDialog(d, learner, wrongRun);
        if (*hook) (*hook)(d);
    });
    learnerText_ = setTextRecorder(nullptr);
    setTextRecorder([this](const QString& text, bool continues) {
        notePrinted(text, continues);
        if (learnerText_) learnerText_(text, continues);
    });
    auto cues = std::make_unique<CueWatch>();
    cues->onCue = [this, &learner, wrongRun] { onCue(learner, wrongRun); };
    setSoundBackend(std::move(cues));
}

void WebRun::unwatchAsks() {
    // The learner's own hook goes back before the learner goes, which restores the one
    // before it.
    if (learnerHook_) setModalHook(std::move(*learnerHook_));
    learnerHook_.reset();
    setTextRecorder(std::exchange(learnerText_, nullptr));
    printed_.clear();
    setSoundBackend(std::make_unique<RecordingSoundBackend>());
    pending_.clear();
    actionAsks_.clear();
    lastBox_.clear();
    againWatch_.clear();
    againPrompts_.clear();
}

void WebRun::notePrinted(const QString& text, bool continues) {
    // As the learner keeps a step's text, so a count of lines here is a count of the
    // step's text lines.
    driver::keepPrinted(printed_, text, continues);
}

void WebRun::onBox(QDialog& d, const driver::Learner& learner, bool wrongRun) {
    auto* input = qobject_cast<QInputDialog*>(&d);
    auto* message = qobject_cast<QMessageBox*>(&d);
    const QString text = input ? input->labelText() : message ? message->text() : QString();
    const int part = quizPart(text);
    if ((!input && !message) || (!part && !asksAgain(text))) return;
    const QString procedure = driver::procedureOf(*learner.window());
    const QString prefix = askPrefix(procedure, gSection, gStep);
    const QString key = prefix + (part ? QStringLiteral("in%1").arg(part) : QStringLiteral("again"));
    const QString name = prefix.section(QLatin1Char('/'), 1, 1);
    if (wrongRun) {
        auto it = asks_.find(key);
        // The same part asked again: the wrong answer's mark is drawn.
        if (it != asks_.end() && part && lastBox_ == key && it->wrongPicture.isEmpty())
            it->wrongPicture = save(learner.window()->grab().toImage(), procedure,
                                    name + QStringLiteral("-in%1-wrong").arg(part));
        lastBox_ = key;
        if (it != asks_.end() && !part && it->againSection < 0 && it->againPicture.isEmpty()) {
            // Which way the learner's yes goes is seen in the step reported next.
            auto yes = [this, key] { againWatch_ = key, againPrompts_.clear(); };
            if (message)
                QObject::connect(message, &QMessageBox::buttonClicked, message,
                                 [message, yes](QAbstractButton* b) {
                                     if (message->standardButton(b) == QMessageBox::Yes) yes();
                                 });
            else
                QObject::connect(input, &QInputDialog::textValueSelected, input, [yes](const QString& v) {
                    if (asciiReply(v) == QLatin1String("y")) yes();
                });
        }
        return;
    }
    actionAsks_ << key;
    if (asks_.contains(key)) return;
    WebAsk a;
    a.key = key;
    a.kind = part ? WebAsk::Kind::Input : WebAsk::Kind::Again;
    a.question = part;
    a.prompt = text;
    if (part) {
        const lesson::QuizRow* row = course::findQuiz(procedure, gSection, gStep, part);
        a.right = row ? QString::fromUtf8(row->right) : QString();
    }
    a.title = message ? message->windowTitle() : QString();
    a.typed = input;
    a.textBefore = int(printed_.size());
    a.asking = save(learner.window()->grab().toImage(), procedure,
                    name + (part ? QStringLiteral("-in%1-ask").arg(part) : QStringLiteral("-again-ask")));
    asks_.insert(key, a);
}

void WebRun::onWrongStep(const driver::Step& s) {
    if (againWatch_.isEmpty()) return;
    auto it = asks_.find(std::exchange(againWatch_, QString()));
    if (it == asks_.end()) return;
    if (it.key().startsWith(askPrefix(s.procedure, s.section, s.step))) {
        // It stays and draws anew, asking again what the step asked.
        it->againPicture =
            save(s.picture, s.procedure, it.key().section(QLatin1Char('/'), 1, 1) + QStringLiteral("-again"));
        it->againPrompts = againPrompts_;
        for (const driver::Reply& r : s.replies)
            if (r.asked.startsWith(QLatin1Char('Q'))) it->againGiven << r.given;
        while (it->againGiven.size() > it->againPrompts.size())
            it->againGiven.removeFirst();
    } else {
        it->againProcedure = s.procedure;
        it->againSection = s.section;
        it->againStep = s.step;
    }
    againPrompts_.clear();
}

void WebRun::onDialog(QDialog& d, const driver::Learner& learner, bool wrongRun) {
    if (learner.window() && (qobject_cast<QInputDialog*>(&d) || qobject_cast<QMessageBox*>(&d)))
        return onBox(d, learner, wrongRun);
    const bool light = dynamic_cast<frmInputLight*>(&d);
    if ((!light && !dynamic_cast<frmInputMaterial*>(&d)) || !learner.window()) return;
    const QString procedure = driver::procedureOf(*learner.window());
    pending_ = askPrefix(procedure, gSection, gStep) + QString::number(gQuestion);
    if (wrongRun && !againWatch_.isEmpty())
        againPrompts_ << (light ? frmInputLight::questionText(gQuestion)
                                : frmInputMaterial::questionText(gQuestion))
                             .replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (wrongRun || asks_.contains(pending_)) return;
    WebAsk a;
    a.key = pending_;
    a.question = gQuestion;
    a.kind = kindOf(course::findQuiz(procedure, gSection, gStep, gQuestion));
    a.prompt = (light ? frmInputLight::questionText(gQuestion) : frmInputMaterial::questionText(gQuestion))
                   .replace(QLatin1String("\r\n"), QLatin1String("\n"));
    a.lastKey = light ? frmInputLight::lastKey(gQuestion) : frmInputMaterial::lastKey(gQuestion);
    a.twoNumbers = light && gQuestion == 4;
    a.textBefore = int(printed_.size());
    a.asking = save(learner.window()->grab().toImage(), procedure,
                    pending_.section(QLatin1Char('/'), 1, 1) + QStringLiteral("-q%1-ask").arg(gQuestion));
    asks_.insert(pending_, a);
}

void WebRun::onCue(const driver::Learner& learner, bool wrongRun) {
    if (pending_.isEmpty() || !wrongRun || !learner.window()) return;
    const QString key = std::exchange(pending_, QString());
    auto it = asks_.find(key);
    const bool wrong = !learner.replies().isEmpty() && learner.replies().last().wrong;
    if (it == asks_.end() || !wrong || it->kind != WebAsk::Kind::UntilRight || !it->wrongPicture.isEmpty())
        return;
    // The feedback to a wrong answer, drawn before the question comes again.
    const QStringList parts = key.split(QLatin1Char('/'));
    it->wrongPicture =
        save(learner.window()->grab().toImage(), parts.value(0),
             parts.value(1) + QStringLiteral("-q") + parts.value(2) + QStringLiteral("-wrong"));
}

void WebRun::attachAsks(const driver::Step& s, WebStep& step) {
    const QString prefix = askPrefix(s.procedure, s.section, s.step);
    for (auto it = asks_.begin(); it != asks_.end(); ++it) {
        if (!it.key().startsWith(prefix) || boxKind(it->kind)) continue;
        WebAsk a = it.value();
        const QString asked = QStringLiteral("Q%1").arg(a.question);
        for (const driver::Reply& r : s.replies)
            if (r.asked == asked) a.given << r.given;
        if (a.kind != WebAsk::Kind::Free) a.right = a.given.value(a.given.size() - 1);
        step.asks << a;
    }
    for (const QString& key : std::exchange(actionAsks_, {})) {
        WebAsk a = asks_.value(key);
        // The step that asked moved on when it was answered: the question comes on the
        // way into the step the lesson went to.
        a.onArrival = !key.startsWith(prefix);
        step.asks << a;
    }
    if (s.shot == driver::Shot::Stage)
        for (const driver::Reply& r : s.replies) {
            WebAsk a;
            a.kind = WebAsk::Kind::Count;
            a.prompt = r.asked;
            a.given << r.given;
            step.asks << a;
        }
}

void WebRun::keep(const driver::Step& s, WebItem& out) {
    printed_.clear();
    if (s.picture.isNull()) return actionAsks_.clear();
    const StepName n = stepName(s);
    WebStep step;
    step.picture = save(s.picture, s.procedure, n.name);
    step.id = s.procedure + QLatin1Char('/') + QFileInfo(step.picture).completeBaseName();
    step.title = n.title;
    step.titleCard = s.shot == driver::Shot::Title;
    step.ms = s.shot == driver::Shot::Title ? 0 : s.endMs - s.startMs;
    step.text = s.text;
    attachAsks(s, step);
    if (step.titleCard) {
        // A title card is a picture: its frames are the wait before the first step.
        film_.drop();
    } else {
        QString rel = step.picture;
        rel.replace(rel.size() - 4, 4, QStringLiteral(".mp4"));
        bool made = false;
        QString why;
        if (!film_.finish(s.picture, rel, &made, &step.frames, &why, s.shot == driver::Shot::Stage)) {
            if (error_.isEmpty()) error_ = why;
        } else if (made) {
            step.video = rel;
        }
    }
    out.steps << step;
}

bool WebRun::play(const Item& item, WebItem& out, QString* error) {
    VirtualClock& clock = freshClock();
    driver::Learner::Options lo;
    lo.pictures = true;
    lo.text = true;
    lo.stopAtHandOver = item.stopAtHandOver;
    driver::Learner learner(lo);
    bool recording = false;
    learner.onAction = [&](const QString& w) {
        noteWhere(w);
        // Opening the course is not part of the item; its frames are not kept.
        const bool r = !w.endsWith(QLatin1String(": open the course"));
        if (r && !recording) film_.drop();
        recording = r;
        if (shownViewer()) film_.mark();
    };
    clock.setFrameHook([&](qint64) {
        if (!recording || !error_.isEmpty()) return;
        if (QWidget* w = shownWindow(learner)) film_.frame(w->grab().toImage());
    });
    watchAsks(learner, false);
    learner.onStep = [&](const driver::Step& s) { keep(s, out); };
    const driver::ItemRun run = learner.playItem(item.course, item.number);
    clock.setFrameHook(nullptr);
    unwatchAsks();
    film_.drop();
    out.played = true;
    if (run.outcome == driver::Outcome::Failed) error_ = run.message;
    if (!error_.isEmpty()) *error = error_;
    return error_.isEmpty();
}

bool WebRun::judges(const WebItem& item) const {
    for (const WebStep& s : item.steps)
        for (const WebAsk& a : s.asks)
            if (a.kind != WebAsk::Kind::Free && a.kind != WebAsk::Kind::Count) return true;
    return false;
}

void WebRun::fillWrong(WebItem& item) const {
    for (WebStep& s : item.steps)
        for (WebAsk& a : s.asks) {
            if (!asks_.contains(a.key)) continue;
            const WebAsk& w = asks_[a.key];
            a.wrongPicture = w.wrongPicture;
            a.againProcedure = w.againProcedure;
            a.againSection = w.againSection;
            a.againStep = w.againStep;
            a.againPrompts = w.againPrompts;
            a.againGiven = w.againGiven;
            a.againPicture = w.againPicture;
        }
}

bool WebRun::playWrong(const Item& item, QString* error) {
    freshClock();
    driver::Learner::Options lo;
    lo.pictures = true;
    lo.wrongFirst = true;
    lo.stopAtHandOver = item.stopAtHandOver;
    driver::Learner learner(lo);
    learner.onAction = [](const QString& w) { noteWhere(w + QStringLiteral(" (answering wrong)")); };
    watchAsks(learner, true);
    learner.onStep = [&](const driver::Step& s) {
        onWrongStep(s);
        // A question judged once goes on after a wrong answer: the step's own end is the
        // feedback it gets.
        const QString prefix = askPrefix(s.procedure, s.section, s.step);
        bool wrong = false;
        for (const driver::Reply& r : s.replies)
            wrong = wrong || r.wrong;
        for (auto it = asks_.begin(); wrong && it != asks_.end(); ++it)
            if (it.key().startsWith(prefix) && it->kind == WebAsk::Kind::Once && it->wrongPicture.isEmpty())
                it->wrongPicture = save(s.picture, s.procedure,
                                        it.key().section(QLatin1Char('/'), 1, 1) +
                                            QStringLiteral("-q%1-wrong").arg(it->question));
    };
    const driver::ItemRun run = learner.playItem(item.course, item.number);
    unwatchAsks();
    if (run.outcome == driver::Outcome::Failed) *error = run.message;
    return run.outcome != driver::Outcome::Failed;
}

// Steps drawn over the one before, in the procedures the item played.
bool drawsOver(const WebItem& item) {
    for (const WebStep& s : item.steps) {
        const lesson::Procedure* p = course::findProcedure(s.id.section(QLatin1Char('/'), 0, 0));
        for (const lesson::Section* sec : p ? p->sections : std::span<const lesson::Section* const>{})
            for (const lesson::StepRow& row : sec->steps)
                if (row.flags & lesson::DrawnOver) return true;
    }
    return false;
}

// The step of the item that shows section-step of the procedure and has no way back yet.
WebStep* stepAt(WebItem& item, const QString& procedure, int section, int step) {
    const QString id =
        QStringLiteral("%1/%2-%3").arg(procedure).arg(section).arg(step, 2, 10, QLatin1Char('0'));
    for (WebStep& s : item.steps)
        if ((s.id == id || s.id.startsWith(id + QLatin1Char('_'))) && s.backPicture.isEmpty()) return &s;
    return nullptr;
}

bool WebRun::playBack(const Item& item, WebItem& out, QString* error) {
    freshClock();
    driver::Learner::Options lo;
    lo.stopAtHandOver = item.stopAtHandOver;
    driver::Learner learner(lo);
    learner.onAction = [](const QString& w) { noteWhere(w + QStringLiteral(" (going back one)")); };
    learner.openCourse(item.course);
    learner.chooseItem(item.number);
    const QString tag = learner.window() ? learner.window()->Tag : QString();
    QSet<QString> done;
    for (int turn = 0; turn < 600 && !learner.failed(); ++turn) {
        LessonWindow* w = learner.window();
        // The item ends, hands over to the next one or to a viewer: nothing more to go back to.
        if (!w || !w->isVisible() || shownViewer() || w->Tag != tag || !w->cmdNext->isEnabled()) break;
        const lesson::Procedure* p = w->currentProcedure();
        const lesson::Section* sec = p ? p->section(gSection) : nullptr;
        const int section = gSection, step = gStep;
        const QString procedure = driver::procedureOf(*w);
        const QString key = askPrefix(procedure, section, step);
        if (sec && step >= 1 && step - 1 < int(sec->steps.size()) &&
            (sec->steps[size_t(step - 1)].flags & lesson::DrawnOver) && w->cmdReturn1->isEnabled() &&
            !done.contains(key)) {
            done << key;
            learner.backOne();
            if (learner.failed() || !learner.window()) break;
            if (WebStep* from = stepAt(out, procedure, section, step)) {
                from->backProcedure = driver::procedureOf(*learner.window());
                from->backSection = gSection;
                from->backStep = gStep;
                from->backPicture =
                    save(learner.window()->grab().toImage(), from->backProcedure,
                         QStringLiteral("%1-%2-back").arg(section).arg(step, 2, 10, QLatin1Char('0')));
            }
        }
        learner.next();
    }
    if (learner.failed()) *error = learner.failure();
    return !learner.failed();
}

// ---- the site's folder ----

const QStringList kSiteFiles = {QStringLiteral("index.html"), QStringLiteral("course.js"),
                                QStringLiteral("orvanth.js"), QStringLiteral("orvanth.css")};

// Made and found writable, with the page of an earlier site removed first: a run that
// stops half way leaves no page that looks complete. A failed run takes away what it wrote.
bool prepareSite(const QString& root, const QString& folder) {
    if (!QDir().mkpath(root)) return failWith(QStringLiteral("cannot create %1").arg(root)), false;
    {
        QTemporaryFile probe(root + QStringLiteral("/.orvanth-tour-XXXXXX"));
        if (!probe.open()) return failWith(QStringLiteral("cannot write in %1").arg(root)), false;
    }
    for (const QString& f : kSiteFiles) {
        const QString path = root + QLatin1Char('/') + f;
        if (QFileInfo::exists(path) && !QFile::remove(path))
            return failWith(QStringLiteral("cannot replace %1").arg(path)), false;
    }
    setCleanUp([root, folder] {
        for (const QString& f : kSiteFiles)
            QFile::remove(root + QLatin1Char('/') + f);
        QDir(root + QLatin1Char('/') + folder).removeRecursively();
    });
    return true;
}

qint64 folderBytes(const QString& root) {
    qint64 bytes = 0;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        bytes += it.fileInfo().size();
    }
    return bytes;
}

WebItem* itemOf(QList<WebItem>& items, const Item& item) {
    for (WebItem& w : items)
        if (w.course == item.course && w.number == item.number) return &w;
    return nullptr;
}

} // namespace

int runWeb(const Options& o) {
    const QString root = QDir(o.web).absolutePath();
    if (Encoder::program().isEmpty())
        return failWith(QStringLiteral("ffmpeg is not installed; the web edition encodes its videos with it "
                                       "(apt-get install ffmpeg)"));
    const double scale = o.scales.first();
    if (!prepareSite(root, scaleName(scale))) return 1;
    std::signal(SIGPIPE, SIG_IGN); // an encoder that dies is an error told, not the end
    QElapsedTimer timer;
    timer.start();
    gScale = float(scale);
    WebSite site;
    site.title = QStringLiteral("Orvanth 計算化学");
    site.scale = scale;
    site.items = webMenus();
    WebRun run(o, root);
    const QList<Item> items = plan(o.items);
    int n = 0, steps = 0;
    for (const Item& item : items) {
        WebItem* w = itemOf(site.items, item);
        QString error;
        if (!w || !run.play(item, *w, &error) || (run.judges(*w) && !run.playWrong(item, &error)) ||
            (drawsOver(*w) && !run.playBack(item, *w, &error)))
            return failWith(QStringLiteral("at %1 item %2: %3")
                                .arg(driver::courseTitle(item.course))
                                .arg(item.number)
                                .arg(error.isEmpty() ? QStringLiteral("not in the registry") : error));
        run.fillWrong(*w);
        steps += int(w->steps.size());
        std::fprintf(stderr, "orvanth-tour: web %d/%d %s %d. %s: %d steps, %d videos so far, %.1f s\n", ++n,
                     int(items.size()), qPrintable(driver::courseTitle(item.course)), item.number,
                     qPrintable(w->label), int(w->steps.size()), run.film().videos(),
                     timer.elapsed() / 1000.0);
        std::fflush(stderr);
    }
    noteWhere(QStringLiteral("closing the windows"));
    driver::Learner::closeAll();
    site.size = QSize(int(640 * scale), int(400 * scale));
    noteWhere(QStringLiteral("writing the site"));
    QString error;
    if (!writeSite(root, site, &error)) return failWith(error);
    setCleanUp(nullptr);
    std::printf("orvanth-tour: web edition of %d steps (%d pictures, %d videos) for gScale %s in "
                "%s/index.html, %.1f MB, %.1f s\n",
                steps, run.pictures(), run.film().videos(), qPrintable(scaleName(scale)), qPrintable(root),
                folderBytes(root) / 1e6, timer.elapsed() / 1000.0);
    return 0;
}

} // namespace tour
