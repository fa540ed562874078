// What the desktop asks of the windows, where no X server is needed: the gate on the
// learner's input through a whole item of mashed keys and clicks, Tab in the answer
// boxes, the course buttons' faces, the scale for a screen's available area, Qt's texts in
// Japanese and the matter window's navigation row shown and hidden together.

#include "app/QtTranslation.h"
#include "app/frmStart.h"
#include "dialogs/frmInputLight.h"
#include "dialogs/frmInputMaterial.h"
#include "driver/Learner.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "player/Prompts.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

using namespace driver;

namespace {

// Every few milliseconds of virtual time inside a running step, the learner mashes Enter,
// Space and the arrows and double-clicks every button of the window, which the test first
// enables whatever the lesson left them at. None of it may start a step: the counters
// are the same before and after each round.
struct Masher {
    int rounds = 0;
    int nestedSteps = 0;
    std::function<void()> tick;

    void arm(qint64 every) {
        tick = [this, every] {
            if (LessonWindow* w = current(); w && w->session.depth > 0) mash(*w);
            harness::clock().at(harness::clock().msNow() + every, tick);
        };
        harness::clock().at(harness::clock().msNow() + every, tick);
    }
    static LessonWindow* current() {
        if (auto* w = loadedForm<frmLight>()) return w;
        return loadedForm<frmMaterial>();
    }
    void mash(LessonWindow& w) {
        ++rounds;
        const auto counters = std::tuple(gMenuItem, gSection, gStep, w.Tag);
        QList<QPushButton*> buttons = {w.cmdNext, w.cmdReturn1, w.cmdReturn, w.cmdExit};
        for (int i = 1; i <= 5; ++i)
            buttons.append(w.cmdMenu[i]);
        QList<bool> enabled;
        for (QPushButton* b : buttons) {
            enabled.append(b->isEnabled());
            b->setEnabled(true);
        }
        QWidget* target = w.focusWidget() ? w.focusWidget() : &w;
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Right, Qt::Key_Down})
            QTest::keyClick(target, key);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space})
            QTest::keyClick(&w, key);
        for (QPushButton* b : buttons) {
            if (b->isVisible()) QTest::mouseDClick(b, Qt::LeftButton);
            b->click();
        }
        for (int i = 0; i < buttons.size(); ++i)
            buttons[i]->setEnabled(enabled[i]);
        if (std::tuple(gMenuItem, gSection, gStep, w.Tag) != counters) ++nestedSteps;
    }
};

} // namespace

class DesktopRulesTest : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::setUp(1.0f); }
    void cleanup() {
        setModalHook(nullptr);
        Learner::closeAll();
    }

    // A whole item played twice, the second time with the mashing: the same steps, in the
    // same order, and not one step started by the mashing.
    void mashingNeverStartsANestedStep_data() {
        QTest::addColumn<int>("course");
        QTest::addColumn<int>("item");
        QTest::newRow("light, geometric optics") << 0 << 2;
        QTest::newRow("matter, hierarchy of matter") << 1 << 2;
    }
    void mashingNeverStartsANestedStep() {
        QFETCH(int, course);
        QFETCH(int, item);
        const Course c = course == 0 ? Course::Light : Course::Matter;
        // The item as far as its lessons are built: it ends, or Next stops changing it.
        QList<QPair<int, int>> clean, mashed;
        Outcome cleanOutcome = Outcome::Failed;
        {
            Learner learner;
            learner.onStep = [&](const Step& s) { clean.append({s.section, s.step}); };
            cleanOutcome = learner.playItem(c, item).outcome;
        }
        QCOMPARE(cleanOutcome, Outcome::Ended);
        Learner::closeAll();
        harness::setUp(1.0f);
        Masher masher;
        masher.arm(20);
        int refused = 0;
        {
            Learner learner;
            learner.onStep = [&](const Step& s) {
                mashed.append({s.section, s.step});
                if (LessonWindow* w = Masher::current()) refused = w->gate.refused();
            };
            QCOMPARE(learner.playItem(c, item).outcome, cleanOutcome);
        }
        QCOMPARE(mashed, clean);
        QVERIFY(masher.rounds > 10);
        QCOMPARE(masher.nestedSteps, 0);
        QVERIFY(refused > 0);
    }

    // Tab and Shift+Tab move on from every answer box, empty or not, without a beep.
    void tabMovesOnFromEveryBox_data() {
        QTest::addColumn<bool>("light");
        QTest::addColumn<int>("question");
        QTest::addColumn<bool>("backwards");
        QTest::newRow("amplitude, empty, Tab") << true << 4 << false;
        QTest::newRow("amplitude, empty, Shift+Tab") << true << 4 << true;
        QTest::newRow("one field, empty, Tab") << true << 2 << false;
        QTest::newRow("matter, empty, Shift+Tab") << false << 1 << true;
    }
    void tabMovesOnFromEveryBox() {
        QFETCH(bool, light);
        QFETCH(int, question);
        QFETCH(bool, backwards);
        gQuestion = std::int16_t(question);
        std::unique_ptr<AnswerDialog> dialog;
        QLineEdit* box = nullptr;
        if (light) {
            auto* d = new frmInputLight(nullptr);
            box = question == 4 ? d->txtInput1 : d->txtInput;
            dialog.reset(d);
        } else {
            auto* d = new frmInputMaterial(nullptr);
            box = d->txtInput;
            dialog.reset(d);
        }
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        box->setFocus();
        QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(box));
        const int beeps = beepCount();
        QTest::keyClick(box, backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(beepCount(), beeps);
        QVERIFY(box->text().isEmpty());
        // The two-number boxes hand the focus on; a one-field box is the only control that
        // takes the focus while OK is disabled, and keeps it.
        QCOMPARE(dialog->focusWidget() != box, question == 4);
        if (question == 4 && !backwards) {
            auto* d = static_cast<frmInputLight*>(dialog.get());
            QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(d->txtInput2));
            // And from the second, empty too, back again.
            QTest::keyClick(d->txtInput2, Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(d->txtInput1));
            QCOMPARE(beepCount(), beeps);
        }
        // The other keys keep their filter: a letter in an empty box beeps.
        QTest::keyClick(box, Qt::Key_A);
        QCOMPARE(beepCount(), beeps + 1);
    }

    // The course buttons have flat faces of exactly their colours.
    void courseButtonFaces_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QRgb>("face");
        QTest::newRow("光とは") << 1 << qRgb(255, 192, 128);
        QTest::newRow("物質とは") << 2 << qRgb(128, 255, 128);
    }
    void courseButtonFaces() {
        QFETCH(int, index);
        QFETCH(QRgb, face);
        frmStart& start = form<frmStart>();
        start.Show();
        QPushButton* b = start.cmdItem[index];
        const QImage img = b->grab().toImage().convertToFormat(QImage::Format_RGB32);
        // A band across the top of the face and one across the bottom, clear of the
        // caption and of the border.
        int faces = 0, pixels = 0;
        for (int y : {5, 6, 7, 8, img.height() - 9, img.height() - 8, img.height() - 7})
            for (int x = 5; x < img.width() - 5; ++x, ++pixels)
                if ((img.pixel(x, y) & 0xffffff) == (face & 0xffffff)) ++faces;
        QCOMPARE(faces, pixels);
        QCOMPARE(b->font().bold(), true);
    }

    void scaleForTheAvailableArea_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<QSize>("available");
        QTest::addColumn<float>("scale");
        QTest::newRow("1366 x 768") << 1366.0 << QSize(1366, 728) << 1.5f;
        QTest::newRow("1366 x 768 at 125 %") << 1092.8 << QSize(1092, 582) << 1.2f;
        QTest::newRow("2560 x 1440 at 200 %") << 1280.0 << QSize(1280, 680) << 1.5f;
        QTest::newRow("1024 x 600 netbook") << 1024.0 << QSize(1024, 576) << 1.2f;
        QTest::newRow("800 x 600") << 800.0 << QSize(800, 560) << 1.2f;
        QTest::newRow("800 x 480, too low for 1.2") << 800.0 << QSize(800, 480) << 1.0f;
        QTest::newRow("smaller than the canvas") << 600.0 << QSize(600, 380) << 1.0f;
        QTest::newRow("1000 stays at 1") << 1000.0 << QSize(1000, 700) << 1.0f;
        QTest::newRow("area unknown: the width rule") << 1024.0 << QSize() << 1.5f;
    }
    void scaleForTheAvailableArea() {
        QFETCH(double, width);
        QFETCH(QSize, available);
        QFETCH(float, scale);
        QCOMPARE(scaleForScreen(width, available), scale);
    }

    void qtTextsAreJapanese() {
        QVERIFY(loadQtTranslation(*QCoreApplication::instance()));
        QString cancel;
        setModalHook([&](QDialog& d) {
            if (auto* box = qobject_cast<QMessageBox*>(&d)) {
                cancel = box->button(QMessageBox::Cancel)->text();
                box->button(QMessageBox::Cancel)->click();
            }
        });
        QCOMPARE(MsgBox(QStringLiteral("終了しますか？"), MsgButtons::OKCancel, MsgIcon::Question),
                 MsgResult::Cancel);
        QCOMPARE(cancel, QStringLiteral("キャンセル"));
    }

    void matterNavigationRowShowsAndHidesTogether() {
        frmMaterial& w = form<frmMaterial>();
        const QList<QPushButton*> row = {w.cmdNext, w.cmdReturn, w.cmdReturn1, w.cmdExit};
        w.CommandButton_Visible(false);
        for (QPushButton* b : row)
            QVERIFY(b->isHidden());
        w.CommandButton_Visible(true);
        for (QPushButton* b : row)
            QVERIFY(b->isVisible());
        QVERIFY(w.cmdExit->isEnabled() && !w.cmdNext->isEnabled()); // enabled states untouched
    }
};

QTEST_MAIN(DesktopRulesTest)
#include "test_desktop_rules.moc"
