// A monkey at the keyboard and the mouse: seeded runs of random clicks on whatever button
// is on screen, random keys to the focused widget, close boxes now and then and random
// stretches of (virtual) time, over both courses and both viewers. Many of the clicks and
// keys land while a step runs, from inside its waits. Dialogs get a random answer, or the
// right one (so no question holds the run for good), or their window's close box.
//
// No crash, no sanitizer report, and no step started inside a running one. The lesson
// engine keeps no count of its own for that; the monkey counts it with what exists: an
// input delivered while a window's code runs (its session depth above 0) that changes
// where the lesson is (menu item, section, step, tag, viewer stage) started a second step
// inside the first.

#include "app/frmStart.h"
#include "cloud/cloudfrm.h"
#include "driver/Learner.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "periodic/Form1.h"
#include "player/Prompts.h"
#include "player/Random.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

#include <cstdio>

using driver::Learner;

namespace {

int tried = 0, failures = 0, nestedTotal = 0, insideTotal = 0;
QElapsedTimer wallClock;

int eventsPerRun() {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("ORVANTH_MONKEY_EVENTS", &ok);
    return ok && n > 0 ? n : 2000;
}

// Where the lessons are: what a step changes.
QString position() {
    QString s = QStringLiteral("%1/%2/%3").arg(gMenuItem).arg(gSection).arg(gStep);
    if (auto* l = loadedForm<frmLight>()) s += QLatin1Char('/') + l->Tag;
    if (auto* m = loadedForm<frmMaterial>()) s += QLatin1Char('/') + m->Tag;
    if (auto* v = loadedForm<cloudfrm>()) s += QStringLiteral("/c%1").arg(v->stage());
    return s;
}

int runningDepth() {
    int d = 0;
    for (Form* f : Form::all())
        d = std::max(d, f->session.depth);
    return d;
}

class Monkey {
public:
    explicit Monkey(quint32 seed) : rng_(seed) {}
    int nested = 0; // inputs at depth > 0 that moved the lesson on
    int inside = 0; // inputs delivered while some window's code ran
    int events = 0;
    QSet<QString> visited; // menu items (L1..L5, M1..M5) and viewers the monkey reached

    // One input now: a click, a key, or (rarely) a close box.
    void act() {
        ++events;
        streak_ = 0;
        if (loadedForm<frmLight>()) visited.insert(QStringLiteral("L%1").arg(gMenuItem));
        if (loadedForm<frmMaterial>()) visited.insert(QStringLiteral("M%1").arg(gMenuItem));
        if (loadedForm<cloudfrm>()) visited.insert(QStringLiteral("cloudfrm"));
        if (loadedForm<Form1>()) visited.insert(QStringLiteral("Form1"));
        // A modal dialog takes all input; the dialog hook answers it.
        if (QApplication::activeModalWidget()) return;
        QList<Form*> shown;
        for (Form* f : Form::all())
            if (f->isVisible()) shown << f;
        if (shown.isEmpty()) {
            Learner::closeAll();
            form<frmStart>().Show();
            return;
        }
        Form* f = shown.at(int(rng_.bounded(quint32(shown.size()))));
        const int depth = runningDepth();
        const QString before = position();
        const quint32 r = rng_.bounded(100u);
        if (r < 2 && depth == 0) {
            f->close();
            return;
        }
        QPointer<Form> guard(f);
        if (r < 70) {
            QList<QPushButton*> buttons;
            for (QPushButton* b : f->findChildren<QPushButton*>())
                if (b->isVisibleTo(f)) buttons << b;
            if (buttons.isEmpty()) return;
            QPushButton* b = buttons.at(int(rng_.bounded(quint32(buttons.size()))));
            // A real click: only what is enabled reacts, as for a learner.
            QTest::mouseClick(b, Qt::LeftButton);
        } else {
            static const int keys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space, Qt::Key_Tab,
                                       Qt::Key_1,      Qt::Key_2,      Qt::Key_0,     Qt::Key_Backspace,
                                       Qt::Key_Period, Qt::Key_Minus,  Qt::Key_A,     Qt::Key_Up};
            const int key = keys[rng_.bounded(quint32(std::size(keys)))];
            QWidget* target = f->focusWidget() ? f->focusWidget() : f;
            if (rng_.bounded(10u) == 0) {
                QTest::keyClick(f, Qt::Key_X, Qt::AltModifier);
            } else {
                QTest::keyClick(target, Qt::Key(key));
            }
        }
        if (depth > 0) {
            ++inside;
            if (position() != before) ++nested;
        }
        (void)guard;
    }

    // Inputs scheduled inside the time that passes next, so they land in running steps.
    void scheduleInside(qint64 span) {
        const int n = int(rng_.bounded(4u));
        for (int i = 0; i < n; ++i)
            harness::clock().at(harness::clock().msNow() + qint64(rng_.bounded(quint32(span + 1))),
                                [this] { act(); });
    }

    // Answers a dialog: mostly as the learner driver would, sometimes random keys and
    // OK, sometimes Cancel or Escape, sometimes the close box of its window. The driver
    // knows the right answers only inside an item it plays itself, so a question may come
    // back again and again: after a few in a row the monkey closes the window instead.
    void answer(QDialog& d, const ModalHook& right) {
        QPointer<QDialog> dialog(&d);
        const quint32 r = rng_.bounded(100u);
        if (++streak_ > 6 || r >= 95) {
            streak_ = 0;
            closeRunning();
        } else if (r < 60) {
            right(d);
        } else if (r < 80) {
            if (auto* edit = d.findChild<QLineEdit*>())
                QTest::keyClicks(edit, QString::number(rng_.bounded(200u)));
            if (dialog) QTest::keyClick(dialog, Qt::Key_Return);
        } else {
            QTest::keyClick(&d, Qt::Key_Escape);
        }
        // Nothing may stay up: a dialog left open would hold the run for good. An answer
        // dialog refuses Escape and its close box, so its window's close box ends it.
        if (dialog && dialog->isVisible()) right(*dialog);
        if (dialog && dialog->isVisible()) dialog->reject();
        if (dialog && dialog->isVisible()) closeRunning();
    }

    void closeRunning() {
        for (Form* f : Form::all())
            if (f->session.depth > 0) {
                f->close();
                return;
            }
    }

    quint32 bounded(quint32 n) { return rng_.bounded(n); }

private:
    QRandomGenerator rng_;
    int streak_ = 0; // dialogs answered since the last input
};

} // namespace

class TestFaultsMonkey : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { wallClock.start(); }
    void cleanup() {
        setModalHook(nullptr);
        Learner::closeAll();
    }

    void monkey_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<float>("scale");
        QTest::newRow("seed 1, scale 1") << 1u << 1.0f;
        QTest::newRow("seed 2, scale 1.5") << 2u << 1.5f;
        QTest::newRow("seed 3, scale 1") << 3u << 1.0f;
    }
    void monkey() {
        QFETCH(quint32, seed);
        QFETCH(float, scale);
        harness::setUp(scale);
        SeedRandom(seed);
        Monkey monkey(seed);
        Learner learner; // its answers are the right ones the monkey falls back on
        ModalHook right = setModalHook(nullptr);
        setModalHook([&](QDialog& d) { monkey.answer(d, right); });
        learner.openStart();
        const int limit = eventsPerRun();
        while (monkey.events < limit) {
            // Choosing a course or a menu item now and then keeps the monkey in the lessons
            // rather than at the start window.
            if (monkey.bounded(8u) == 0) {
                if (frmStart* s = loadedForm<frmStart>(); s && s->isVisible())
                    QTest::mouseClick(s->cmdItem[1 + monkey.bounded(2u)], Qt::LeftButton);
            }
            const qint64 span = qint64(monkey.bounded(3000u));
            monkey.scheduleInside(span);
            monkey.act();
            harness::clock().advanceBy(span);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        // Whatever still waits runs out, then everything closes.
        for (int i = 0; i < 50 && harness::clock().hasPending(); ++i)
            harness::clock().advanceBy(5000);
        setModalHook(std::move(right));
        Learner::closeAll();
        tried += monkey.events;
        nestedTotal += monkey.nested;
        insideTotal += monkey.inside;
        QStringList where(monkey.visited.cbegin(), monkey.visited.cend());
        where.sort();
        qInfo("seed %u: %d events, %d inside running steps, %d nested steps; reached %s", seed, monkey.events,
              monkey.inside, monkey.nested, qPrintable(where.join(QLatin1Char(' '))));
        if (monkey.nested) ++failures;
        QCOMPARE(monkey.nested, 0);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestFaultsMonkey test;
    const int status = QTest::qExec(&test, argc, argv);
    std::printf(
        "test_faults_monkey: %d events (%d inside running steps), %d nested steps, %d failures, %.1f s\n",
        tried, insideTotal, nestedTotal, failures, wallClock.elapsed() / 1000.0);
    return status;
}

#include "test_faults_monkey.moc"
