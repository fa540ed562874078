#pragma once
// A learner at the keyboard, played by the program: opens a course from the start window,
// chooses a menu item, presses Next until the item ends, and answers whatever a step asks
// by typing into the real dialogs and boxes: the answer dialogs, message boxes, the
// text-input box, the electron-cloud viewer's prompts and the periodic table's "次へ".
// Everything runs on the virtual clock, so a whole course plays in seconds and always the
// same way; the tour renders each step it sees and the course tests check each one.

#include "dialogs/Replyable.h"
#include "lesson/LessonWindow.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QWidget;
class VirtualClock;
class frmStart;

namespace driver {

class Answerer;

enum class Course { Light, Matter };

// The course name as the lesson window's caption shows it ("光とは", "物質").
QString courseCaption(Course c);
// Keeps a printed text as a step's record: a piece printed right after the previous one
// continues its line, a text of several lines gives one entry per line, and a line the
// record has already says nothing new.
void keepPrinted(QStringList& record, const QString& text, bool continues);
// The course as the start window's button names it ("光とは", "物質とは").
QString courseTitle(Course c);
// The menu label of item 1..5 ("はじめから", "幾何光学", ...).
QString menuLabel(Course c, int item);
// The lesson procedure that draws the current step of a lesson window, told by its menu
// item and tag: Intro, Kika, Wave, Quantum, Iro; Class, Gensi, Cloud. Empty when none.
QString procedureOf(const LessonWindow& w);

// One answer the learner gave: to what, what was typed or pressed, and whether it was
// given knowing it is wrong (or turned out wrong: the same question came back).
struct Reply {
    QString asked; // "Q1", or the prompt of a box
    QString given;
    bool wrong = false;
};

enum class Shot {
    Title, // the title card of an item, shown while it waits; the viewer's opening page
    Step,  // a lesson step, once it has been drawn
    Stage, // a stage of the electron-cloud viewer, its last look before the next one
    Click, // the periodic table after a click of "次へ" (0: as it opens)
};

// What the learner saw after one step.
struct Step {
    Course course = Course::Light;
    int item = 0; // the menu item the learner chose
    Shot shot = Shot::Step;
    QString procedure; // lesson procedure, or "cloudfrm", "Form1"
    int section = 0;   // lesson: gSection; viewer: stage or click number
    int step = 0;      // lesson: gStep
    QList<Reply> replies;
    qint64 startMs = 0, endMs = 0; // virtual time the step took
    bool ended = false;            // the step ended the item: the menu is back
    bool handedOver = false;       // the step chained into the next item of the course
    QWidget* window = nullptr;     // where the step is shown (valid during the callback)
    QImage picture;                // the window's client area, when pictures are taken
    // Every text the step printed or showed as a caption, in order, one entry per line or
    // caption, when the learner keeps the text (empty when the step printed nothing).
    QStringList text;
};

enum class Outcome {
    Ended,      // the menu came back (or the viewer closed and the window returned)
    HandedOver, // the item chained into the next one and the learner stopped there
    Failed,     // a step never ended, a window went away, a question could not be answered
};

struct ItemRun {
    Outcome outcome = Outcome::Failed;
    QString message;        // where and why, for Failed
    QStringList procedures; // the lesson procedures in the order they ran
    int steps = 0;          // steps seen (lesson steps, viewer stages and clicks)
    qint64 virtualMs = 0;   // virtual time from the menu click to the end
};

class Learner {
public:
    struct Options {
        bool pictures = false;       // grab the window after each step
        bool wrongFirst = false;     // give a wrong answer first where one exists
        bool stopAtHandOver = false; // end the run when the item chains into the next
        bool text = false;           // keep what every step prints (Step::text)
        int maxSteps = 600;          // per item
        qint64 maxStepMs = 300000;   // virtual time one step may take
        int viewerActionLimit = 2000;
        QString cloudCounts[2] = {QStringLiteral("2000"), QStringLiteral("3000")};
    };

    explicit Learner(Options options);
    Learner() : Learner(Options{}) {}
    ~Learner();
    Learner(const Learner&) = delete;
    Learner& operator=(const Learner&) = delete;

    // After every step (and title card, viewer stage, table click).
    std::function<void(const Step&)> onStep;
    // Before every action, with a description of where the learner is ("光とは item 2
    // (Kika) section 1 step 5: Next"); a crash or hang report can name it.
    std::function<void(const QString&)> onAction;

    // The start window, loaded and shown (its opening animation plays on first use).
    frmStart& openStart();
    // Opens the course from the start window in a fresh lesson window, showing its menu.
    LessonWindow& openCourse(Course c);
    // Opens the course, chooses the item and plays it to its end.
    ItemRun playItem(Course c, int item);

    // Single actions on the open lesson window; each returns once the step has been drawn.
    void chooseItem(int item);
    void next();
    void back();
    void backOne();
    void exitButton();
    void closeBox();
    // Closes the window with its close box ms of virtual time into the next action, while
    // its step is still running (inside a wait or an animation).
    void closeBoxAfter(qint64 ms) { closeAfterMs_ = ms; }

    LessonWindow* window() const { return window_; }
    Course course() const { return course_; }
    // Where the learner is, for messages: "光とは item 2 (Kika) section 1 step 5".
    QString where() const;
    // Every reply since the last step was reported.
    const QList<Reply>& replies() const { return replies_; }
    // True when the last action overran its virtual time, or a dialog could not be
    // answered; failure() says which.
    bool failed() const { return !failure_.isEmpty(); }
    const QString& failure() const { return failure_; }

    // Unloads every window (viewers, lesson windows, then the start window) and lets the
    // deferred deletions run.
    static void closeAll();

private:
    friend class Answerer;
    friend class CloudDriver;
    friend class PeriodicDriver;

    void act(const QString& what, const std::function<void()>& f, bool titleCard = false);
    void emitStep(const Step& s);
    void notePrinted(const QString& text, bool continues);
    // The current step of the lesson window; the replies given so far go with it.
    Step lessonStep(const QString& procedure, bool withReplies = true);
    // A step of a viewer (stage, click or its title page); the replies and the text so far
    // go with it.
    Step viewerStep(Shot shot, int number, QWidget* window, qint64 startMs);
    void fail(const QString& why);
    QString currentProcedure() const;
    void abortRunning();
    void takeTitleShot();
    bool viewerOpen() const;
    bool menuShown() const;
    bool driveViewer(ItemRun& run);
    // How an item ended, and where and why when it failed.
    struct End {
        Outcome outcome;
        QString message;
    };
    End failedEnd(const QString& why) const {
        return {Outcome::Failed, where() + QStringLiteral(": ") + why};
    }
    // One turn of playItem's loop: reports the step just drawn and presses Next, hands the
    // item over to a viewer, or says how the item ended. tag: the window's tag so far.
    std::optional<End> turn(ItemRun& run, QString& tag);
    std::optional<End> viewerTurn(ItemRun& run);
    // The menu is back: it must be where the registry says the item ends.
    End menuEnd();

    Options opt_;
    std::unique_ptr<Answerer> answerer_;
    std::function<void(QDialog&)> previousHook_;
    VirtualClock& clock_;
    Course course_ = Course::Light;
    int item_ = 0;
    QPointer<LessonWindow> window_;
    QString procedure_;
    QString failure_;
    QList<Reply> replies_;
    QStringList printed_; // the text printed since the last step was reported
    qint64 actionStart_ = 0;
    qint64 closeAfterMs_ = -1;
};

// Sends typed characters to a widget as the keyboard would: key press and release.
inline void typeInto(QWidget* w, const QString& text) {
    keyboard::type(w, text);
}
// Sends one key (Qt::Key_Return, Qt::Key_Backspace ...) to a widget.
inline void pressKey(QWidget* w, int key) {
    keyboard::press(w, key);
}

} // namespace driver
