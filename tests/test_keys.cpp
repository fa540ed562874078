// The keys of a presentation remote and a keyboard: Page Down and the right arrow press
// Next, Page Up presses Back one, each only while its button can be clicked.

#include "lesson/frmLight.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

#include <QtTest>

namespace {

// One section of five drawn steps, each waiting 100 ms, whose step 5 ends the item.
class KeyWindow : public frmLight {
public:
    std::function<void()> duringStep;
    int drawnSteps = 0;

    void GetMenu() override { Lesson(); }
    void Lesson() {
        StepBegin();
        if (gSection == 0) {
            GetItemTitle(QStringLiteral("キー"));
        } else if (gStep <= 4) {
            ++drawnSteps;
            Print(QStringLiteral("step %1").arg(gStep));
            if (duringStep) duringStep();
            Pause(100);
        } else {
            ItemTerminate();
        }
        StepEnd(1, 5);
    }

protected:
    void menuAction(int) override {
        cmdExit->setText(kItemMenu);
        Tag = QStringLiteral("キー");
        Lesson();
    }
};

int step() {
    return gStep;
}

// Where a key goes: to the window itself, or to the widget that has the focus (Next,
// after a step), which as a push button would move the focus on an arrow key.
QWidget* receiver(KeyWindow& w, bool toFocus) {
    QWidget* f = w.focusWidget();
    return toFocus && f ? f : static_cast<QWidget*>(&w);
}

} // namespace

class KeysTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        harness::setUp(1.0f);
        gCourseName = QStringLiteral("光とは");
    }
    void cleanup() { harness::closeAllWindows(); }

    void keysStepThroughAnItem_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("toFocus");
        QTest::addColumn<int>("expected"); // the step after two presses from step 2
        QTest::newRow("page down, window") << int(Qt::Key_PageDown) << false << 4;
        QTest::newRow("page down, focused Next") << int(Qt::Key_PageDown) << true << 4;
        QTest::newRow("right, window") << int(Qt::Key_Right) << false << 4;
        QTest::newRow("right, focused Next") << int(Qt::Key_Right) << true << 4;
        QTest::newRow("enter, window") << int(Qt::Key_Return) << false << 4;
        QTest::newRow("page up, window") << int(Qt::Key_PageUp) << false << 0;
        QTest::newRow("page up, focused Next") << int(Qt::Key_PageUp) << true << 0;
        QTest::newRow("left: nothing") << int(Qt::Key_Left) << false << 2;
    }
    void keysStepThroughAnItem() {
        QFETCH(int, key);
        QFETCH(bool, toFocus);
        QFETCH(int, expected);
        KeyWindow& w = form<KeyWindow>();
        w.cmdMenu[2]->click();
        w.cmdNext->click();
        w.cmdNext->click();
        QCOMPARE(step(), 2);
        QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.cmdNext));
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(receiver(w, toFocus), Qt::Key(key));
        QCOMPARE(step(), expected);
    }

    void keysDoNothingWhileAStepRuns_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("page down") << int(Qt::Key_PageDown);
        QTest::newRow("right") << int(Qt::Key_Right);
        QTest::newRow("page up") << int(Qt::Key_PageUp);
    }
    void keysDoNothingWhileAStepRuns() {
        QFETCH(int, key);
        KeyWindow& w = form<KeyWindow>();
        w.cmdMenu[2]->click();
        QCOMPARE(step(), 0);
        const int drawn = w.drawnSteps;
        bool pressed = false;
        w.duringStep = [&] {
            if (pressed) return;
            pressed = true;
            // Every button is disabled while the step draws and waits.
            QTest::keyClick(&w, Qt::Key(key));
            QTest::keyClick(w.cmdNext, Qt::Key(key));
            QTest::keyClick(w.cmdReturn1, Qt::Key(key));
        };
        w.cmdNext->click();
        QVERIFY(pressed);
        QCOMPARE(step(), 1);
        QCOMPARE(w.drawnSteps, drawn + 1);
    }

    void keysDoNothingAtTheMenuOrAtTheEnd() {
        KeyWindow& w = form<KeyWindow>();
        // At the menu Next and Back one are disabled.
        QTest::keyClick(&w, Qt::Key_PageDown);
        QTest::keyClick(&w, Qt::Key_PageUp);
        QTest::keyClick(&w, Qt::Key_Right);
        QCOMPARE(w.drawnSteps, 0);
        QVERIFY(w.picMenu->isVisible());
        w.cmdMenu[2]->click();
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(&w, Qt::Key_PageDown);
        QCOMPARE(step(), 5);
        QVERIFY(w.picMenu->isVisible()); // the item ended
        QVERIFY(!w.cmdNext->isEnabled());
        const int drawn = w.drawnSteps;
        QTest::keyClick(&w, Qt::Key_PageDown);
        QTest::keyClick(&w, Qt::Key_PageUp);
        QCOMPARE(step(), 5);
        QCOMPARE(w.drawnSteps, drawn);
    }
};

QTEST_MAIN(KeysTest)
#include "test_keys.moc"
