// Every step the course registry lists, at both scales: drawn when reached with Next and
// drawn again when the learner comes back to it with Back one, it must show the same
// picture. A step draws its whole figure from a cleared window, so nothing it shows may
// depend on the road that led to it; steps whose table entry says they draw over the
// previous picture are the exception, by their flag. Random figures are reseeded before
// each visit so both visits draw the same stars and bubbles.

#include "driver/Learner.h"
#include "lesson/Course.h"
#include "player/Random.h"
#include "player/globals.h"
#include "tests/support/Harness.h"
#include "tests/support/LessonTest.h"

#include <QtTest>

using driver::Course;

namespace {

constexpr quint32 kSeed = 20261209;

// The window as the step left it, without the navigation row: which button has the
// focus depends on the button that was pressed, not on the step.
QImage look(LessonWindow& w) {
    QPushButton* row[] = {w.cmdNext, w.cmdReturn1, w.cmdReturn, w.cmdExit};
    bool shown[4];
    for (int i = 0; i < 4; ++i) {
        shown[i] = row[i]->isVisible();
        row[i]->setVisible(false);
    }
    const QImage img = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int i = 0; i < 4; ++i)
        row[i]->setVisible(shown[i]);
    return img;
}

// Where two pictures first differ, for the message.
QString firstDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return QStringLiteral("sizes differ");
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return QStringLiteral("pixel (%1, %2): %3 by Next, %4 by Back one")
                    .arg(x)
                    .arg(y)
                    .arg(a.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .arg(b.pixel(x, y), 8, 16, QLatin1Char('0'));
    return QString();
}

// Steps that move the learner on their own, where the walk through their section stops:
// Back one from the sum of two waves leads to the first wave's question, and the message
// box after it repeats the exercise or goes on to the next section.
bool movesOnItsOwn(const QString& procedure, int section, int step) {
    return procedure == QLatin1String("Wave") && section == 2 && step == 3;
}

} // namespace

Q_DECLARE_METATYPE(driver::Course)

class TestSteps : public QObject {
    Q_OBJECT
private slots:
    void init() { FixRandomize(true, kSeed); }
    void cleanup() {
        FixRandomize(false);
        driver::Learner::closeAll();
    }

    void nextAndBackOneDrawTheSame_data() {
        QTest::addColumn<Course>("course");
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<int>("section");
        QTest::addColumn<float>("scale");
        for (Course c : {Course::Light, Course::Matter}) {
            const course::Course& reg = c == Course::Light ? course::light() : course::matter();
            for (const lesson::Procedure* p : reg.procedures) {
                if (lessontest::menuItemOf(reg, QLatin1String(p->name)) == 0) continue; // a viewer's item
                for (const lesson::Section* s : p->sections) {
                    if (s->steps.empty()) continue;
                    for (float scale : {1.0f, 1.5f})
                        QTest::addRow("%s %d at %.1f", p->name, s->number, double(scale))
                            << c << QString::fromLatin1(p->name) << s->number << scale;
                }
            }
        }
    }

    // One walk through the section: at each step k, the picture reached by Next, then
    // Next to k + 1 and Back one to k again. The last step is left by setting the counter
    // on as Next would, without drawing the closing step, and Back one from there.
    void nextAndBackOneDrawTheSame() {
        QFETCH(Course, course);
        QFETCH(QString, procedure);
        QFETCH(int, section);
        QFETCH(float, scale);
        harness::setUp(scale);
        driver::Learner learner;
        const lesson::Procedure* proc = course::findProcedure(procedure);
        const lesson::Section* sec = proc->section(section);
        SeedRandom(kSeed);
        QVERIFY2(lessontest::stepTo(learner, course, procedure, section, 0), qPrintable(learner.failure()));
        QStringList problems;
        const int last = int(sec->steps.size()) - 1;
        for (int k = 0; k <= last; ++k) {
            LessonWindow& w = *learner.window();
            QCOMPARE(int(gSection), section);
            QCOMPARE(int(gStep), k);
            if (movesOnItsOwn(procedure, section, k)) break;
            const QImage byNext = look(w);
            if (k < last) {
                SeedRandom(kSeed + 1);
                learner.next();
            } else {
                gStep = std::int16_t(k + 1);
            }
            SeedRandom(kSeed);
            learner.backOne();
            QVERIFY2(!learner.failed(), qPrintable(learner.failure()));
            QCOMPARE(int(gStep), k);
            const QImage byBackOne = look(*learner.window());
            if (!(sec->steps[std::size_t(k)].flags & lesson::DrawnOver) && byNext != byBackOne)
                problems << QStringLiteral("%1 section %2 step %3: %4")
                                .arg(procedure)
                                .arg(section)
                                .arg(k)
                                .arg(firstDifference(byNext, byBackOne));
            if (k < last) {
                SeedRandom(kSeed);
                learner.next();
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // The declarations themselves: every section's table runs 0, 1, 2, ... without gaps and
    // quiz rows name steps of the table, and every chain and menu item leads to a
    // procedure of the same course (or to a viewer).
    void declarationsHold() {
        for (const course::Course* c : {&course::light(), &course::matter()}) {
            for (const lesson::Procedure* p : c->procedures) {
                QVERIFY2(!p->sections.empty(), p->name);
                int expected = 1;
                for (const lesson::Section* s : p->sections) {
                    QVERIFY2(s->number == expected++, p->name);
                    QVERIFY2(s->closingStep() > 0, p->name);
                    for (std::size_t i = 0; i < s->steps.size(); ++i) {
                        QVERIFY2(s->steps[i].step == int(i), qPrintable(QStringLiteral("%1 section %2 row %3")
                                                                            .arg(QLatin1String(p->name))
                                                                            .arg(s->number)
                                                                            .arg(i)));
                        QVERIFY(s->steps[i].draw);
                    }
                    for (const lesson::QuizRow& q : s->quizzes)
                        QVERIFY2(q.step >= 0 && q.step < int(s->steps.size()), p->name);
                }
                if (p->end.next) QVERIFY2(c->procedure(QLatin1String(p->end.next->name)), p->end.next->name);
            }
            for (const course::TagRoute& r : c->routes)
                QVERIFY2(c->procedure(QLatin1String(r.procedure->name)), r.tag);
            for (int i = 1; i <= 5; ++i) {
                const course::MenuItem& item = c->item(i);
                if (item.action == course::MenuAction::Viewer)
                    QVERIFY2(item.viewer && item.viewerName, item.label);
                else
                    QVERIFY2(item.procedure && c->procedure(QLatin1String(item.procedure->name)), item.label);
            }
        }
    }
};

QTEST_MAIN(TestSteps)
#include "test_steps.moc"
